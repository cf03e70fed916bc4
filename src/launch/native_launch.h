// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launch/run_rom.h"

namespace kivo::app {
class SettingsFile;
}

namespace kivo::launch {

// The native build's argument list for a ROM file: the program, its switches, then the ROM (left out
// when the file does not exist, so the emulator starts with the switches alone). In batch mode the
// shell runs first: it runs the DOS command, then replaces itself with the emulator. Reads only.
std::vector<std::string> NativeCommand(app::SettingsFile& settings, std::string_view section,
                                       const std::string& program, const std::string& romFile,
                                       std::string_view extraCommand, bool extraCommandEnabled);

// The zsnesl.cfg the emulator started from "ZSNESPath" reads.
std::string NativeConfigFile(app::SettingsFile& settings, const std::string& currentFolder);

// Brings zsnesl.cfg in line for the game and gives the start of `program` for `romFile`.
EmulatorStart PrepareNativeLaunch(app::SettingsFile& settings, const RunRomRequest& request, const std::string& program,
                                  const std::string& romFile);

}  // namespace kivo::launch
