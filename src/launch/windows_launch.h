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

// The Windows build of ZSNES takes the Linux build's switches, first, and the ROM last; it reads
// and writes back zsnesw.cfg, in the Linux build's format and keys, so the options reach it as they
// reach that build. It is a program of the ANSI code page: its arguments come to it in that page.

// The folder zsnesw.cfg is in, found as that build finds it: the program's folder when its
// zcfgloc.cfg sets "zsnesw_config_location" to 1 (a ZSNES kept on a stick); otherwise "ZSNES" in
// the user's Saved Games folder `savedGames`, or in `appData` when there is none; the program's
// folder when neither is known. No separator at its end.
std::string WindowsConfigFolder(const std::string& programFolder, const std::string& savedGames,
                                const std::string& appData);

// zsnesw.cfg for the program in "ZSNESPath" (or `program`'s folder), with this user's folders.
std::string WindowsConfigFile(app::SettingsFile& settings, const std::string& program);

// The ROM path as the build is given it: as it stands when the system's ANSI code page holds it
// (and, in batch mode, the command interpreter would leave it alone), otherwise its 8.3 path, or
// KIVO's alias in `aliasFolder` where the volume keeps no 8.3 names. Empty when neither exists.
std::string WindowsRomArgument(const std::string& romFile, const std::string& aliasFolder, bool batchMode);

// The argument list: the program, its switches, then the ROM argument (left out when empty, so the
// emulator starts with the switches alone). Reads only.
std::vector<std::string> WindowsCommand(app::SettingsFile& settings, std::string_view section,
                                        const std::string& program, const std::string& romArgument);

// Brings zsnesw.cfg in line for the game and gives the start of `program` for `romFile`: in batch
// mode through zkivo.bat beside the program (the DOS command, then the emulator's line), which the
// command interpreter runs. Raises KivoError when a file cannot be read or written, or the ROM has
// no path the build can read.
EmulatorStart PrepareWindowsLaunch(app::SettingsFile& settings, const RunRomRequest& request,
                                   const std::string& program, const std::string& romFile);

}  // namespace kivo::launch
