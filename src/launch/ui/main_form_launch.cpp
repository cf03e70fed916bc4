// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Starting the selected game from the window.
#include <QLineEdit>

#include "app/ui/byte_edit.h"
#include "app/ui/dialogs.h"
#include "app/ui/main_form.h"
#include "launch/run_rom.h"
#include "platform/dirs.h"
#include "zipcache/zip_cache.h"

void TMainForm::RunRom() {
  RunRomRequest request;
  request.section = Context().currentSection;
  request.workingFolder = platform::GetCurrentDir();
  request.selectedRomFile = Context().selectedRomFile;
  // The launch takes the DOS command from the field itself, as the user sees it.
  request.extraCommand = EditBytes(txtExtraCmd);
  request.extraCommandEnabled = txtExtraCmd->isEnabled();
  request.shortNameFolder = ShortNameFolder(Context().appDir);
  if (ZipCache) request.getRomFile = [this](const std::string& path) { return ZipCache->GetRomFile(path); };
  // A launch that cannot start raises the reason, which the handler's guard shows.
  ::RunRom(Settings(), request);
}
