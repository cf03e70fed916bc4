// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// "Verify checksum" and "Info" on the selected game, archives included.
#include <QAction>

#include "app/ui/dialogs.h"
#include "app/ui/main_form.h"
#include "browser/list_entry.h"
#include "common/path.h"
#include "platform/dirs.h"
#include "rom/rom_commands.h"
#include "zipcache/zip_cache.h"

namespace {

void ShowRomMessage(Dialogs& dialogs, QWidget* owner, const RomMessage& message) {
  dialogs.Message(owner, FromBytes(message.text), FromBytes(message.caption), Dialogs::Icon::None);
}

}  // namespace

std::string TMainForm::SelectedRomPath() {
  std::string path = AddBackslash(platform::GetCurrentDir()) + Context().selectedRomFile;
  return ZipCache ? ZipCache->GetRomFile(path) : path;
}

// Both act on the game selected now: with a folder or nothing selected there is none, and a name
// remembered from an earlier selection would report on a game the user does not see chosen.
void TMainForm::mnuVerifyClick() {
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  ShowRomMessage(dialogs_, this, ChecksumMessage(SelectedRomPath()));
}

void TMainForm::mnuInfoClick() {
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  ShowRomMessage(dialogs_, this, RomInfoMessage(SelectedRomPath()));
}
