// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "app/options.h"
#include "app/settings_file.h"
#include "common/error.h"

namespace kivo::app {

// The program-wide state that outlives any one window handler: the settings file, the
// configuration in force and the ROM entry last selected. Created at program start, before the
// main window; the window's close deletes the settings file.
struct AppContext {
  std::unique_ptr<SettingsFile> settingsFile;
  std::string currentSection{section::Default};
  std::string selectedRomFile;
  // The folder of the zip cache and the aliases, without a trailing separator: the program's own
  // in the portable layout. Set by the main window's creation from the executable's folder unless
  // given (the program gives it as LocateKivoFolders decides; the window tests a folder of theirs).
  std::string appDir;
  // The manual "KIVO Readme" opens; empty: "KIVO - Manual.txt" in appDir.
  std::string manual;

  // The open settings file. The window closes it as it ends; a handler still running after that
  // (an event Qt delivers late) is refused instead of writing nowhere.
  SettingsFile& Settings() {
    if (!settingsFile) throw common::KivoError("The settings file is closed");
    return *settingsFile;
  }
};

}  // namespace kivo::app
