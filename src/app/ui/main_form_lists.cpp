// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What the list shows and how: a folder or a gathered list (favourites, recently played), the list
// or the details view, and the game records the list shows (stars, starts).
#include <QLabel>

#include "app/game_records.h"
#include "app/options.h"
#include "app/ui/main_form.h"
#include "app/ui/menus.h"
#include "browser/ui/rom_browser.h"
#include "common/path.h"
#include "platform/dirs.h"
#include "widgets/dialogs.h"

namespace kivo::app {

std::string TMainForm::SelectedFolder() const {
  return listSource_ == browser::ListSource::Folder ? platform::GetCurrentDir() : ListView->SelectedFolder();
}

void TMainForm::RefreshList() { ScanDirectory(); }

void TMainForm::ShowGathered(browser::ListSource source) {
  // The folder a gathered list was entered from stays the current one, so ".." and the next start
  // of KIVO return there.
  listSource_ = source;
  ScanDirectory();
}

void TMainForm::mnuListClick() {
  ShowDetails(false);
  context_.Settings().WriteBool(option::ListDetails, false);
}

void TMainForm::mnuDetailsClick() {
  ShowDetails(true);
  context_.Settings().WriteBool(option::ListDetails, true);
}

void TMainForm::ShowDetails(bool details) {
  ListView->SetDetails(details);
  menus_->Item(details ? "mnuDetails" : "mnuList")->setChecked(true);
}

void TMainForm::mnuFavouriteClick() {
  const std::optional<browser::ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  const std::string path = common::AddBackslash(SelectedFolder()) + std::string(entry->fileName);
  GameRecords::ToggleFavourite(context_.Settings().Path(), path);
  ScanDirectory();
}

void TMainForm::RecordStart(const std::string& gamePath) {
  GameRecords::RecordStart(context_.Settings().Path(), gamePath, SecondsNow());
  ScanDirectory();
}

}  // namespace kivo::app
