// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/run_rom.h"

#include "app/options.h"
#include "app/settings_file.h"
#include "common/error.h"
#include "common/path.h"
#include "common/text.h"
#include "launch/dosbox_launch.h"
#include "launch/emulator_profile.h"
#include "launch/native_launch.h"
#include "launch/switches.h"
#include "launch/windows_launch.h"
#include "launch/emulator_folder.h"
#include "launch/zsnes_cfg.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/short_path.h"
#include "platform/start_failure.h"

namespace kivo::launch {

namespace {

// Control characters and blanks at either end, as left around a path in a fixed-size buffer.
std::string_view TrimControls(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) < 33) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) < 33) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string ShortNameFolder(const std::string& appDir) { return common::AddBackslash(appDir) + "shortnames"; }

std::string BuildCommandLine(app::SettingsFile& settings, std::string_view section, std::string_view shortRomPath) {
  std::string commandLine = common::AddBackslash(settings.ReadString(app::option::ZSNESPath)) + "ZSNES.EXE ";
  commandLine += TrimControls(shortRomPath);
  commandLine += BuildSwitches(settings, section);
  return commandLine;
}

std::string ZsnesBatchFile(std::string_view commandLine, std::string_view extraCommand, bool extraCommandEnabled) {
  std::string bytes;
  if (extraCommandEnabled && !extraCommand.empty()) {
    bytes += extraCommand;
    bytes += '\r';
  }
  bytes += '@';
  bytes += commandLine;
  return bytes;
}

EmulatorStart DosStart(app::SettingsFile& settings, std::string_view commandLine, std::string_view extraCommand,
                       bool extraCommandEnabled) {
  EmulatorStart start;
  start.workingFolder = settings.ReadString(app::option::ZSNESPath);
  start.highPriority = settings.ReadBool(app::option::HighPriority);
  if (settings.ReadBool(app::option::ShellBat)) {
    std::string batchPath = common::AddBackslash(settings.ReadString(app::option::ZSNESPath)) + "zkivo.bat";
    std::string batch = ZsnesBatchFile(commandLine, extraCommand, extraCommandEnabled);
    if (!platform::WriteFileAtomic(batchPath, batch)) throw common::KivoError("Cannot create file " + batchPath);
    start.argv = platform::BatchCommand(batch, batchPath);
  } else {
    start.argv = platform::SplitCommandLine(commandLine);
  }
  return start;
}

namespace {

// The DOS command runs as the user: one that another user could have put into kivo.ini is not run.
// What the user is told then, or empty when the command may run (or there is none).
std::string RefuseOthersCommand(const std::string& settingsPath, RunRomRequest& request) {
  if (!request.extraCommandEnabled || request.extraCommand.empty()) return {};
  const platform::OtherWriters others = platform::WhoElseCanChange(settingsPath);
  if (others == platform::OtherWriters::kNone) return {};
  request.extraCommand.clear();
  return "kivo.ini can be changed by other users; its extra command was not run. Make it private: " +
         std::string(others == platform::OtherWriters::kAnotherOwner
                         ? "it belongs to another user, so put a copy of your own in its place, then "
                         : "") +
         "chmod go-w " + common::ShellQuoted({settingsPath});
}

EmulatorStart PrepareTrustedLaunch(app::SettingsFile& settings, const RunRomRequest& request) {
  // Nothing is unpacked or written for an emulator that is not there.
  EmulatorProfile profile = FindEmulatorProfile(settings);
  if (const std::string missing = MissingEmulatorReason(settings.ReadString(app::option::ZSNESPath)); !missing.empty())
    throw common::KivoError(missing);
  std::string longPath = common::AddBackslash(request.workingFolder) + request.selectedRomFile;
  std::string romFile = request.getRomFile ? request.getRomFile(longPath) : longPath;
  // The emulator would start without a game, or with a name it cannot open.
  if (romFile.empty()) throw common::KivoError("No ROM image could be unpacked from " + longPath);
  if (!platform::FileExists(romFile)) throw common::KivoError("Cannot open file " + romFile);
  if (profile.build == EmulatorBuild::Native) return PrepareNativeLaunch(settings, request, profile.program, romFile);
  if (profile.build == EmulatorBuild::Windows) return PrepareWindowsLaunch(settings, request, profile.program, romFile);
  if (profile.inDosBox) return PrepareDosBoxLaunch(settings, request, romFile);
  std::string shortPath = platform::ShortPathName(romFile, request.shortNameFolder);
  UpdateZsnesCfg(settings, request.section, request.workingFolder);
  std::string commandLine = BuildCommandLine(settings, request.section, shortPath);
  return DosStart(settings, commandLine, request.extraCommand, request.extraCommandEnabled);
}

}  // namespace

EmulatorStart PrepareLaunch(app::SettingsFile& settings, const RunRomRequest& given) {
  RunRomRequest request = given;
  std::string notice = RefuseOthersCommand(settings.Path(), request);
  EmulatorStart start = PrepareTrustedLaunch(settings, request);
  start.notice = std::move(notice);
  return start;
}

void StartEmulator(const EmulatorStart& start) {
  if (start.argv.empty()) throw common::KivoError("ZSNES could not be started: nothing to start");
  platform::StartFailure failure;
  if (!platform::StartDetached(start.argv, start.workingFolder, start.highPriority, &failure)) {
    throw common::KivoError("ZSNES could not be started: " + start.argv.front() +
                            (start.workingFolder.empty() ? std::string() : " in " + start.workingFolder) + ": " +
                            platform::DescribeStartFailure(start.argv.front(), start.workingFolder, failure));
  }
}

std::string RunRom(app::SettingsFile& settings, const RunRomRequest& request) {
  EmulatorStart start = PrepareLaunch(settings, request);
  StartEmulator(start);
  return start.notice;
}

}  // namespace kivo::launch
