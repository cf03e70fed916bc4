// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What the window does with the ROM list's entries: filling the list, a click and an opening, the
// File menu's commands on the selected game, and starting it.
#include <QLabel>

#include "app/options.h"
#include "app/ui/main_form.h"
#include "app/game_records.h"
#include "browser/game_lists.h"
#include "browser/ui/rom_browser.h"
#include "common/error.h"
#include "common/path.h"
#include "launch/emulator_screenshot.h"
#include "launch/run_rom.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "rom/rom_commands.h"
#include "screenshots/ui/preview_panel.h"
#include "widgets/dialogs.h"
#include "zipcache/ui/cache_row.h"
#include "zipcache/unzip_command.h"
#include "zipcache/zip_cache.h"

namespace kivo::app {

void TMainForm::ScanDirectory() {
  SetStatusFolder("Scanning");
  std::string folder = platform::GetCurrentDir();
  // One look at the settings serves every "Configs" flag of the scan.
  auto settings = context_.Settings().Snapshot();
  const GameRecords records = GameRecords::Load(context_.Settings().Path());
  browser::GameList list = listSource_ == browser::ListSource::Folder
                               ? browser::ListFolder(platform::DriveRoots(), folder, *settings)
                               : browser::ListGathered(listSource_, platform::DriveRoots(), records, *settings);
  std::vector<browser::EntryFacts> facts = browser::RecordFacts(list, folder, records);
  ListView->SetList(std::move(list), std::move(facts), folder);
  switch (listSource_) {
    case browser::ListSource::Folder:
      SetStatusFolder(widgets::FromBytes(folder));
      break;
    case browser::ListSource::Favourites:
      SetStatusFolder(QString::fromUtf8(browser::kFavouritesCaption));
      break;
    case browser::ListSource::RecentlyPlayed:
      SetStatusFolder(QString::fromUtf8(browser::kRecentlyPlayedCaption));
      break;
  }
}

void TMainForm::ListViewClick() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry) return;
  if (entry->IsFile()) context_.selectedRomFile = entry->fileName;
  PageControl1->SwitchConfiguration(*entry);
  ShowSelectionPreview();
}

void TMainForm::ListViewDblClick() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry) return;
  if (entry->kind == browser::kFavourites || entry->kind == browser::kRecentlyPlayed) {
    ShowGathered(entry->kind == browser::kFavourites ? browser::ListSource::Favourites
                                                     : browser::ListSource::RecentlyPlayed);
    return;
  }
  if (entry->kind == browser::kDrive || entry->kind == browser::kFolder) {
    // A gathered list's ".." returns to the folder it was entered from.
    if (listSource_ != browser::ListSource::Folder && entry->kind == browser::kFolder) {
      ShowGathered(browser::ListSource::Folder);
      return;
    }
    listSource_ = browser::ListSource::Folder;
    // A folder that cannot be entered leaves the current one, which the scan then lists again.
    std::string target = entry->kind == browser::kDrive
                             ? std::string(entry->caption)
                             : common::AddBackslash(platform::GetCurrentDir()).append(entry->caption);
    platform::SetCurrentDir(target);
    ScanDirectory();
    return;
  }
  RunRom();
}

void TMainForm::ShowSelectionPreview() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry) return;
  imgPreview0->ShowScreenshotOf(context_.Settings().ReadString(option::MediaPath), entry->caption);
}

// The File menu's commands act on the entry selected now: with a folder or nothing selected there
// is no game, and a name remembered from an earlier selection (or another folder) would act on a
// game the user does not see chosen.

void TMainForm::mnuToggleConfigClick() {
  // A folder or drive has no configuration: its caption ("..", "/") is no game's name.
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  std::string caption(entry->caption);
  std::string fileName(entry->fileName);
  SettingsFile& settings = context_.Settings();
  // The game's own flag: the panel may show "Default" for a game that has a configuration.
  bool flag = settings.ReadBool(section::Configs, caption, false);
  settings.WriteBool(section::Configs, caption, !flag);
  ScanDirectory();
  // The game stays selected and the panel shows the configuration now in force for it, as a click
  // on it would: the next edit is meant for this game, not for whatever the panel showed before.
  if (ListView->SelectFile(fileName)) ListViewClick();
}

std::string TMainForm::SelectedRomPath() {
  std::string path = common::AddBackslash(SelectedFolder()) + context_.selectedRomFile;
  return ZipCache() ? ZipCache()->GetRomFile(path) : path;
}

void TMainForm::mnuVerifyClick() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  const rom::RomMessage message = rom::ChecksumMessage(SelectedRomPath());
  guard_.Ask().Message(this, widgets::FromBytes(message.text), widgets::FromBytes(message.caption),
                       widgets::Dialogs::Icon::None);
}

void TMainForm::mnuInfoClick() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  const rom::RomMessage message = rom::RomInfoMessage(SelectedRomPath());
  guard_.Ask().Message(this, widgets::FromBytes(message.text), widgets::FromBytes(message.caption),
                       widgets::Dialogs::Icon::None);
}

void TMainForm::mnuDeleteClick() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  std::string fileName(entry->fileName);
  // The box names the file it would delete, and Enter keeps it: a deletion is not undone.
  if (!guard_.Ask().Confirm(this, "Really delete this file?\n" + widgets::FromBytes(fileName), "Confirm file delete",
                            widgets::Dialogs::Default::Cancel))
    return;
  std::string path = common::AddBackslash(SelectedFolder()) + fileName;
  // A file already gone is what the user asked for; the list then drops it.
  if (platform::FileExists(path) && !platform::DeleteFile(path)) throw common::KivoError("Cannot delete file " + path);
  ScanDirectory();
}

void TMainForm::Unzip1Click() {
  const std::string archive = context_.selectedRomFile;
  const zipcache::UnzippedFiles unzipped = zipcache::UnzipNextToItself(SelectedFolder(), archive);
  const std::string report = zipcache::UnzipReport(archive, unzipped);
  ScanDirectory();
  // The game unpacked is selected, as if the user had clicked it: the next command acts on it.
  for (const std::string& name : unzipped.names) {
    if (ListView->SelectFile(name)) {
      ListViewClick();
      break;
    }
  }
  guard_.Ask().Message(this, widgets::FromBytes(report), "Unzip", widgets::Dialogs::Icon::None);
}

void TMainForm::Archivescreenshot1Click() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry) return;
  const std::string folder = SelectedFolder();
  // The emulator names its snapshots after the ROM file it was given: for an archive, the file the
  // cache unpacked from it.
  std::string romFile(entry->fileName);
  if (common::IsZipName(entry->fileName) && ZipCache()) {
    std::string cached = ZipCache()->FindCachedRom(common::AddBackslash(folder) + romFile);
    if (!cached.empty()) romFile = common::ExtractFileName(cached);
  }
  // The outcome is not reported: a missing screenshot or an occupied name simply files nothing.
  launch::ArchiveEmulatorScreenshot(context_.Settings(), entry->caption, romFile, folder);
}

void TMainForm::RunRom() {
  launch::RunRomRequest request;
  request.section = context_.currentSection;
  request.workingFolder = SelectedFolder();
  request.selectedRomFile = context_.selectedRomFile;
  // The launch takes the DOS command from the field itself, as the user sees it.
  request.extraCommand = PageControl1->ExtraCommand();
  request.extraCommandEnabled = PageControl1->ExtraCommandEnabled();
  request.shortNameFolder = launch::ShortNameFolder(context_.appDir);
  if (zipcache::TZipCache* cache = ZipCache()) {
    request.getRomFile = [cache](const std::string& path) { return cache->GetRomFile(path); };
  }
  // A launch that cannot start raises the reason, which the handler's guard shows.
  const std::string notice = launch::RunRom(context_.Settings(), request);
  RecordStart(common::AddBackslash(request.workingFolder) + request.selectedRomFile);
  if (!notice.empty()) guard_.Ask().Message(this, widgets::FromBytes(notice), "KIVO", widgets::Dialogs::Icon::None);
}

}  // namespace kivo::app
