// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The ROM list's handlers: filling it, selecting and opening entries, Delete and the File menu's
// enabling.
#include <QAction>
#include <QLabel>
#include <QListView>
#include <QStatusBar>
#include <utility>

#include "app/ui/dialogs.h"
#include "app/ui/main_form.h"
#include "browser/folder_scan.h"
#include "browser/ui/rom_list_model.h"
#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"

void TMainForm::ScanDirectory() {
  SetStatusFolder("Scanning");
  ListModel->Clear();
  std::string folder = platform::GetCurrentDir();
  // One look at the settings serves every "Configs" flag of the scan.
  auto settings = Settings().Snapshot();
  ListModel->SetEntries(ScanFolder(platform::DriveRoots(), folder, *settings));
  SetStatusFolder(FromBytes(folder));
}

void TMainForm::ListViewClick() {
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry) return;
  if (entry->IsFile()) context_.selectedRomFile = entry->fileName;
  SwitchConfiguration();
  ShowSelectionPreview();
}

void TMainForm::ListViewDblClick() {
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry) return;
  if (entry->kind == kDrive || entry->kind == kFolder) {
    // A folder that cannot be entered leaves the current one, which the scan then lists again.
    std::string target = entry->kind == kDrive ? std::string(entry->caption)
                                               : AddBackslash(platform::GetCurrentDir()).append(entry->caption);
    platform::SetCurrentDir(target);
    ScanDirectory();
    return;
  }
  RunRom();
}

void TMainForm::ListViewKeyUp(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // Closing a message box with Enter hands the key's release to the list, which has the focus
    // again by then; only an Enter pressed in the list starts a game.
    if (!std::exchange(enterPressedInList_, false)) return;
    ListViewDblClick();
  } else {
    ListViewClick();
  }
}

void TMainForm::mnuDeleteClick() {
  // Only the file the user sees selected is deleted: a remembered name from an earlier selection
  // (or another folder) would delete a file the user did not choose.
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  std::string fileName(entry->fileName);
  if (!dialogs_.Confirm(this, "Really delete this file?", "Confirm file delete")) return;
  std::string path = AddBackslash(platform::GetCurrentDir()) + fileName;
  if (platform::FileExists(path)) platform::DeleteFile(path);
  ScanDirectory();
}

void TMainForm::popFilePopup() { Unzip1->setEnabled(IsZipName(context_.selectedRomFile)); }
