// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/native_launch.h"

#include "app/options.h"
#include "app/settings_file.h"
#include "launch/native_options.h"
#include "launch/zsnesl_cfg.h"
#include "platform/files.h"

namespace kivo::launch {

namespace {

// The shell script of batch mode. The DOS command comes as $1 and runs in this shell, so what it
// exports reaches the emulator; "command" keeps a mistyped command from ending the shell before the
// emulator starts. "kivo" is $0, the name the shell's messages carry.
constexpr const char* kBatchScript = "command eval \"$1\"; shift; exec \"$@\"";

}  // namespace

std::vector<std::string> NativeCommand(app::SettingsFile& settings, std::string_view section,
                                       const std::string& program, const std::string& romFile,
                                       std::string_view extraCommand, bool extraCommandEnabled) {
  std::vector<std::string> argv;
  if (settings.ReadBool(app::option::ShellBat)) {
    argv = {"/bin/sh", "-c", kBatchScript, "kivo", extraCommandEnabled ? std::string(extraCommand) : std::string()};
  }
  argv.push_back(program);
  for (std::string& word : BuildNativeSwitches(settings, section, EmulatorBuild::Native))
    argv.push_back(std::move(word));
  if (!romFile.empty() && platform::FileExists(romFile)) argv.push_back(romFile);
  return argv;
}

std::string NativeConfigFile(app::SettingsFile& settings, const std::string& currentFolder) {
  std::string startFolder = settings.ReadString(app::option::ZSNESPath);
  return NativeConfigFolder(startFolder.empty() ? currentFolder : startFolder) + "/zsnesl.cfg";
}

EmulatorStart PrepareNativeLaunch(app::SettingsFile& settings, const RunRomRequest& request, const std::string& program,
                                  const std::string& romFile) {
  UpdateZsneslCfg(NativeConfigFile(settings, request.workingFolder),
                  NativeCfgSettings(settings, request.section, request.workingFolder));
  EmulatorStart start;
  start.argv =
      NativeCommand(settings, request.section, program, romFile, request.extraCommand, request.extraCommandEnabled);
  start.workingFolder = settings.ReadString(app::option::ZSNESPath);
  start.highPriority = settings.ReadBool(app::option::HighPriority);
  return start;
}

}  // namespace kivo::launch
