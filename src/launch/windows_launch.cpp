// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/windows_launch.h"

#include "app/options.h"
#include "app/settings_file.h"
#include "common/error.h"
#include "common/path.h"
#include "common/text.h"
#include "launch/native_options.h"
#include "launch/zsnesl_cfg.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/short_path.h"

namespace kivo::launch {

namespace {

// zcfgloc.cfg holds one setting and its comments.
constexpr size_t kLocationFileLimit = 64 * 1024;

// Whether zcfgloc.cfg beside the program keeps the settings there. Any other value (the build's
// own -1 when it has never run) means the user's folder on every Windows since Vista.
bool ConfigBesideProgram(const std::string& programFolder) {
  std::string bytes;
  if (!platform::ReadWholeFile(common::AddBackslash(programFolder) + "zcfgloc.cfg", bytes, kLocationFileLimit)) {
    return false;
  }
  const std::optional<std::string> value = ReadCfgValue(bytes, "zsnesw_config_location");
  return value && common::ParseInteger(*value) == 1;
}

std::string ProgramFolder(app::SettingsFile& settings, const std::string& program) {
  const std::string folder = settings.ReadString(app::option::ZSNESPath);
  return folder.empty() ? common::ExtractFileDir(program) : folder;
}

}  // namespace

std::string WindowsConfigFolder(const std::string& programFolder, const std::string& savedGames,
                                const std::string& appData) {
  if (ConfigBesideProgram(programFolder)) return programFolder;
  if (!savedGames.empty()) return common::AddBackslash(savedGames) + "ZSNES";
  if (!appData.empty()) return common::AddBackslash(appData) + "ZSNES";
  return programFolder;
}

std::string WindowsConfigFile(app::SettingsFile& settings, const std::string& program) {
  const std::string folder =
      WindowsConfigFolder(ProgramFolder(settings, program), platform::SavedGamesDir(), platform::UserConfigDir());
  return common::AddBackslash(folder) + "zsnesw.cfg";
}

std::string WindowsRomArgument(const std::string& romFile, const std::string& aliasFolder, bool batchMode) {
  const bool interpreterKeeps = common::InterpreterWord(romFile).has_value();
  if (platform::AnsiCodePageHolds(romFile) && (!batchMode || interpreterKeeps)) return romFile;
  return platform::ShortPathName(romFile, aliasFolder);
}

std::vector<std::string> WindowsCommand(app::SettingsFile& settings, std::string_view section,
                                        const std::string& program, const std::string& romArgument) {
  std::vector<std::string> argv{program};
  for (std::string& word : BuildNativeSwitches(settings, section, EmulatorBuild::Windows)) {
    argv.push_back(std::move(word));
  }
  if (!romArgument.empty()) argv.push_back(romArgument);
  return argv;
}

EmulatorStart PrepareWindowsLaunch(app::SettingsFile& settings, const RunRomRequest& request,
                                   const std::string& program, const std::string& romFile) {
  const bool batchMode = settings.ReadBool(app::option::ShellBat);
  const std::string romArgument = WindowsRomArgument(romFile, request.shortNameFolder, batchMode);
  if (romArgument.empty()) {
    throw common::KivoError("Cannot create file " + common::AddBackslash(request.shortNameFolder) +
                            common::ExtractFileName(romFile));
  }
  UpdateZsneslCfg(WindowsConfigFile(settings, program),
                  NativeCfgSettings(settings, request.section, request.workingFolder));
  EmulatorStart start;
  start.argv = WindowsCommand(settings, request.section, program, romArgument);
  start.workingFolder = ProgramFolder(settings, program);
  start.highPriority = settings.ReadBool(app::option::HighPriority);
  if (batchMode) {
    const std::optional<std::string> line = common::InterpreterLine(start.argv);
    if (!line) throw common::KivoError("The command interpreter cannot run " + program + ": its path holds % or !");
    const std::string batchPath = common::AddBackslash(start.workingFolder) + "zkivo.bat";
    const std::string batch = ZsnesBatchFile(*line, request.extraCommand, request.extraCommandEnabled);
    if (!platform::WriteFileAtomic(batchPath, batch)) throw common::KivoError("Cannot create file " + batchPath);
    start.argv = platform::BatchCommand(batch, batchPath);
  }
  return start;
}

}  // namespace kivo::launch
