// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What the window does with the ROM list's entries: filling the list, a click and an opening, the
// File menu's commands on the selected game, and starting it.
#include <QLabel>

#include "app/options.h"
#include "app/ui/main_form.h"
#include "browser/folder_scan.h"
#include "browser/ui/rom_list.h"
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
  ListView->Clear();
  std::string folder = platform::GetCurrentDir();
  // One look at the settings serves every "Configs" flag of the scan.
  auto settings = context_.Settings().Snapshot();
  ListView->SetEntries(browser::ScanFolder(platform::DriveRoots(), folder, *settings));
  SetStatusFolder(widgets::FromBytes(folder));
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
  if (entry->kind == browser::kDrive || entry->kind == browser::kFolder) {
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
  SettingsFile& settings = context_.Settings();
  bool flag = settings.ReadBool(section::Configs, context_.currentSection, false);
  settings.WriteBool(section::Configs, caption, !flag);
  ScanDirectory();
}

std::string TMainForm::SelectedRomPath() {
  std::string path = common::AddBackslash(platform::GetCurrentDir()) + context_.selectedRomFile;
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
  if (!guard_.Ask().Confirm(this, "Really delete this file?", "Confirm file delete")) return;
  std::string path = common::AddBackslash(platform::GetCurrentDir()) + fileName;
  if (platform::FileExists(path)) platform::DeleteFile(path);
  ScanDirectory();
}

void TMainForm::Unzip1Click() {
  zipcache::UnzipNextToItself(platform::GetCurrentDir(), context_.selectedRomFile);
  ScanDirectory();
}

void TMainForm::Archivescreenshot1Click() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry) return;
  const std::string folder = platform::GetCurrentDir();
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
  request.workingFolder = platform::GetCurrentDir();
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
  if (!notice.empty()) guard_.Ask().Message(this, widgets::FromBytes(notice), "KIVO", widgets::Dialogs::Icon::None);
}

}  // namespace kivo::app
