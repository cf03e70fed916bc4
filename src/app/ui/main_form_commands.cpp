// The shell's own commands: Exit, About, the Preferences switches, Help and the folder pickers.
#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "app/ui/dialogs.h"
#include "app/ui/main_form.h"
#include "common/path.h"

namespace {

constexpr const char* kHomepage = "https://kivo.example.org/";
constexpr const char* kZsnesHomepage = "https://www.zsnes.com/";
constexpr const char* kAuthorMail = "mailto:kivo-team@example.org";

}  // namespace

void TMainForm::mnuExitClick() { close(); }

void TMainForm::mnuAboutClick() {
  dialogs_.Message(this, "KIVO 0.991 4/10/1999\nWritten by the KIVO team, with thanks to every ZSNES player.", "About",
                   Dialogs::Icon::None);
}

void TMainForm::mnuHighPriorityClick() {
  // The menu has already inverted the check mark.
  Settings().WriteBool("General", "High Priority", mnuHighPriority->isChecked());
}

void TMainForm::mnuBatClick() {
  bool checked = mnuBat->isChecked();
  txtExtraCmd->setEnabled(checked);
  lblExtraCmd->setEnabled(checked);
  Settings().WriteBool("General", "ShellBat", checked);
}

void TMainForm::KIVOReadme1Click() { dialogs_.OpenDocument(AddBackslash(context_.appDir) + "KIVO - Manual.txt"); }

void TMainForm::KIVOHomepage1Click() { dialogs_.OpenDocument(kHomepage); }

void TMainForm::MailAuthot1Click() { dialogs_.OpenDocument(kAuthorMail); }

void TMainForm::ZSNESReadme1Click() {
  dialogs_.OpenDocument(AddBackslash(Settings().ReadString("General", "ZSNESPath", "")) + "Readme.txt");
}

void TMainForm::ZSNESHomepage1Click() { dialogs_.OpenDocument(kZsnesHomepage); }

bool TMainForm::BrowseForFolder(const QString& title, std::string& buffer) {
  std::optional<std::string> folder = dialogs_.BrowseForFolder(this, title);
  if (!folder) return false;
  buffer = *folder;
  return true;
}

void TMainForm::BrowseInto(const QString& title, QLineEdit* edit, const char* key) {
  std::string buffer;
  if (BrowseForFolder(title, buffer)) edit->setText(FromBytes(buffer));
  // Also after a cancel: the edit's text is stored again.
  Settings().WriteString("General", key, ToBytes(edit->text()));
}

void TMainForm::cmdBrowseZSNESClick() {
  BrowseInto("Location of zsnes or ZSNES.EXE", txtDirZSNES, "ZSNESPath");
  // Another folder may hold another build of the emulator, with other options.
  ApplyEmulatorProfile();
  LoadConfig(context_.currentSection);
}

void TMainForm::cmdBrowseMediaClick() { BrowseInto("Location for Media files", txtDirMedia, "MediaPath"); }

void TMainForm::cmdBrowseSavegameClick() { BrowseInto("Location for Savegames", txtDirSavegame, "SavegamePath"); }
