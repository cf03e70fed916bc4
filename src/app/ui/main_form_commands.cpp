// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The shell's own commands: Exit, About, the Preferences switches, Help and the folder pickers.
#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "app/options.h"
#include "app/ui/byte_edit.h"
#include "app/ui/dialogs.h"
#include "app/ui/main_form.h"
#include "common/error.h"
#include "common/path.h"
#include "platform/files.h"

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
  Settings().WriteBool(option::HighPriority, mnuHighPriority->isChecked());
}

void TMainForm::mnuBatClick() {
  bool checked = mnuBat->isChecked();
  txtExtraCmd->setEnabled(checked);
  lblExtraCmd->setEnabled(checked);
  Settings().WriteBool(option::ShellBat, checked);
}

void TMainForm::OpenHelp(const std::string& fileOrUrl, bool isFile) {
  // The desktop opens a missing file without a word, or with a box of its own long after; the user
  // asked for a document and is told at once that there is none.
  if (isFile && !platform::FileExists(fileOrUrl)) throw KivoError("Cannot open file " + fileOrUrl);
  if (!dialogs_.OpenDocument(fileOrUrl)) throw KivoError("Cannot open " + fileOrUrl);
}

void TMainForm::KIVOReadme1Click() {
  OpenHelp(context_.manual.empty() ? AddBackslash(context_.appDir) + "KIVO - Manual.txt" : context_.manual, true);
}

void TMainForm::KIVOHomepage1Click() { OpenHelp(kHomepage, false); }

void TMainForm::MailAuthot1Click() { OpenHelp(kAuthorMail, false); }

void TMainForm::ZSNESReadme1Click() {
  OpenHelp(AddBackslash(Settings().ReadString(option::ZSNESPath, "")) + "Readme.txt", true);
}

void TMainForm::ZSNESHomepage1Click() { OpenHelp(kZsnesHomepage, false); }

bool TMainForm::BrowseForFolder(const QString& title, std::string& buffer) {
  std::optional<std::string> folder = dialogs_.BrowseForFolder(this, title);
  if (!folder) return false;
  buffer = *folder;
  return true;
}

void TMainForm::BrowseInto(const QString& title, QLineEdit* edit, const OptionDecl& option) {
  std::string buffer;
  if (BrowseForFolder(title, buffer)) SetEditBytes(edit, buffer);
  // Also after a cancel: the edit's bytes are stored again, as they were read.
  Settings().WriteString(option, EditBytes(edit));
}

void TMainForm::cmdBrowseZSNESClick() {
  BrowseInto("Location of zsnes or ZSNES.EXE", txtDirZSNES, option::ZSNESPath);
  // Another folder may hold another build of the emulator, with other options.
  ApplyEmulatorProfile();
  LoadConfig(context_.currentSection);
}

void TMainForm::cmdBrowseMediaClick() { BrowseInto("Location for Media files", txtDirMedia, option::MediaPath); }

void TMainForm::cmdBrowseSavegameClick() { BrowseInto("Location for Savegames", txtDirSavegame, option::SavegamePath); }
