// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "launch/run_rom.h"

namespace kivo::app {
class SettingsFile;
}

namespace kivo::launch {

// The DOS build of ZSNES runs on Linux and 64-bit Windows only inside DOSBox. KIVO starts DOSBox itself with a
// configuration of its own, in which the emulator's folder is drive C:, the folder of the file to
// start (the ROM's folder, the cache folder of a zipped game, or KIVO's alias folder) drive D:, and
// the save folder, when there is one, drive E:. The command line DOS runs is the DOS build's own,
// with the ROM named by its DOS path; ZSNES.CFG gets its two folder lines as DOS paths.

// True when DOS can open a file by this name as it stands: eight characters or fewer, an optional
// extension of three, of letters, digits and "_-~!#$@^{}" only (letter case does not matter to DOS).
bool IsDosFileName(const std::string& name);

// What a launch inside DOSBox mounts and runs.
struct DosBoxPlan {
  std::string emulatorFolder;  // C:
  std::string romFolder;       // D:; empty when there is no ROM
  std::string saveFolder;      // E:; empty when "Savegame" is empty
  std::string dosRomPath;      // "D:\GAME.SMC"; empty when there is no ROM
  std::string commandLine;     // "C:\ZSNES.EXE D:\GAME.SMC -a ..."
};

// The drives and the command line for the ROM file, with an alias in `aliasFolder` for a ROM whose
// name or folder DOS cannot use. Raises KivoError when a folder cannot be mounted.
DosBoxPlan PlanDosBox(app::SettingsFile& settings, const std::string& section, const std::string& romFile,
                      const std::string& aliasFolder);

// The DOSBox configuration: drives mounted, C: made current, the DOS lines run, and DOSBox left when
// they end.
std::string DosBoxConfig(const DosBoxPlan& plan, const std::vector<std::string>& dosLines);

// Where the configuration is written: "kivo-dosbox.conf" in the emulator's folder, beside zkivo.bat.
std::string DosBoxConfigPath(app::SettingsFile& settings);

// DOSBox's program: "dosbox" on PATH; on Windows DOSBox.exe on PATH, else the newest in its
// installer's folder under Program Files. Empty when there is none.
std::string FindDosBox();

// DOSBox started on the configuration. Raises KivoError naming the package when there is no DOSBox.
std::vector<std::string> DosBoxCommand(const std::string& configPath);

// Brings ZSNES.CFG in line with DOS paths, writes zkivo.bat in batch mode and the configuration,
// and gives DOSBox's start.
EmulatorStart PrepareDosBoxLaunch(app::SettingsFile& settings, const RunRomRequest& request,
                                  const std::string& romFile);

}  // namespace kivo::launch
