// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::app {
class SettingsFile;
}

namespace kivo::launch {

// Turns the full path of a list entry into the full path of a plain ROM file: the path itself for an
// image, the unpacked file for an archive, empty when there is none (TZipCache::GetRomFile).
using RomFileResolver = std::function<std::string(const std::string& longPath)>;

// What the window knows when a game is started.
struct RunRomRequest {
  std::string section;               // CurrentSection: the configuration in force
  std::string workingFolder;         // the folder shown in the list, as the system reports it
  std::string selectedRomFile;       // SelectedRomFile: the entry's file name, without folder
  std::string extraCommand;          // text of txtExtraCmd
  bool extraCommandEnabled = false;  // txtExtraCmd is enabled (batch mode is on)
  std::string shortNameFolder;       // where short aliases of awkward ROM paths live (ShortNameFolder)
  RomFileResolver getRomFile;        // empty: the path is taken as a plain ROM file
};

// "shortnames" beside the program, in the program's folder `appDir`.
std::string ShortNameFolder(const std::string& appDir);

// The emulator's command line: its program path in "ZSNESPath", the short ROM path (may be empty)
// and the switches, unquoted. Reads only.
std::string BuildCommandLine(app::SettingsFile& settings, std::string_view section, std::string_view shortRomPath);

// The bytes of "zkivo.bat": the DOS command and a carriage return (only when the field is enabled
// and not empty), then "@" and the command line, without a final line end.
std::string ZsnesBatchFile(std::string_view commandLine, std::string_view extraCommand, bool extraCommandEnabled);

// What a launch starts: the program and its arguments, its working folder and priority.
struct EmulatorStart {
  std::vector<std::string> argv;  // the program first; empty when there is nothing to start
  std::string workingFolder;      // empty: the current folder
  bool highPriority = false;
  std::string notice;  // what the user is told although the launch goes ahead (empty: nothing)
};

// The DOS build's start for the command line: the program and arguments as the command line splits,
// or in batch mode the shell running "zkivo.bat", written anew beside the emulator first. Raises
// KivoError "Cannot create file <path>" when the batch file cannot be written.
EmulatorStart DosStart(app::SettingsFile& settings, std::string_view commandLine, std::string_view extraCommand,
                       bool extraCommandEnabled);

// Everything a launch of the selected game does before the emulator starts, for the build the ZSNES
// folder holds: finds its plain ROM file; for the DOS build takes its short path, brings "ZSNES.CFG"
// in line, builds the command line and writes the batch file in batch mode; for the native build
// brings zsnesl.cfg in line and builds the argument list. A launch that cannot start says why, with
// a KivoError, before anything is started: no emulator in the ZSNES folder, no ROM file (an archive
// holding none or unreadable, a file gone), or a configuration or batch file that cannot be written.
// The DOS command of a kivo.ini that other users can change is left out, and the start's notice
// says so and how to make the file private.
EmulatorStart PrepareLaunch(app::SettingsFile& settings, const RunRomRequest& request);

// Starts what PrepareLaunch prepared, detached. Raises KivoError "ZSNES could not be started: ..."
// when the system refuses, naming the program, its folder and why the system refused it.
void StartEmulator(const EmulatorStart& start);

// Starts the selected game as PrepareLaunch prepares it; once the emulator has started, the start's
// notice. Every failure raises KivoError.
std::string RunRom(app::SettingsFile& settings, const RunRomRequest& request);

}  // namespace kivo::launch
