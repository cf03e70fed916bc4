// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/dosbox_launch.h"

#include <optional>
#include <string_view>

#include "app/options.h"
#include "app/settings_file.h"
#include "common/error.h"
#include "common/path.h"
#include "common/text.h"
#include "launch/switches.h"
#include "launch/zsnes_cfg.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/short_path.h"

namespace kivo::launch {

namespace {

#ifdef _WIN32
constexpr const char* kNoDosBox =
    "ZSNES.EXE is a DOS program, which 64-bit Windows runs only in DOSBox: install DOSBox, or put DOSBox.exe on PATH";
#else
constexpr const char* kNoDosBox = "ZSNES.EXE is a DOS program, which runs in DOSBox: install the package \"dosbox\"";
#endif

bool IsDosNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("_-~!#$@^{}").find(c) != std::string_view::npos;
}

// A folder DOSBox can be told to mount: its path goes into the configuration in double quotes, and
// the configuration's lines run as a batch file, where "%" would be taken for a variable.
bool IsMountable(const std::string& folder) {
  if (!common::IsAbsolutePath(folder)) return false;
  for (unsigned char c : folder) {
    if (c < 32 || c == '"' || c == '%') return false;
  }
  return true;
}

std::string Mountable(const std::string& folder, const char* what) {
  if (!IsMountable(folder)) throw common::KivoError("DOSBox cannot mount the " + std::string(what) + " " + folder);
  return folder;
}

}  // namespace

bool IsDosFileName(const std::string& name) {
  const size_t dot = name.find('.');
  const std::string_view base = std::string_view(name).substr(0, dot);
  const std::string_view ext = dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3 || ext.find('.') != std::string_view::npos) return false;
  for (char c : base) {
    if (!IsDosNameChar(c)) return false;
  }
  for (char c : ext) {
    if (!IsDosNameChar(c)) return false;
  }
  return dot == std::string::npos || !ext.empty();
}

DosBoxPlan PlanDosBox(app::SettingsFile& settings, const std::string& section, const std::string& romFile,
                      const std::string& aliasFolder) {
  DosBoxPlan plan;
  plan.emulatorFolder = Mountable(settings.ReadString(app::option::ZSNESPath), "ZSNES folder");
  const std::string savegame = settings.ReadString(app::option::SavegamePath);
  if (!savegame.empty()) plan.saveFolder = Mountable(savegame, "Savegame folder");
  if (!romFile.empty()) {
    std::string folder = common::ExtractFileDir(romFile);
    std::string name = common::ExtractFileName(romFile);
    // A name DOS cannot open, or a folder DOSBox cannot mount, goes through KIVO's own alias, whose
    // folder and 8.3 name always suit; the alias stays the same, so save files keep their names.
    if (!IsDosFileName(name) || !IsMountable(folder)) {
      std::string alias = platform::ShortAlias(romFile, aliasFolder);
      if (alias.empty()) throw common::KivoError("Cannot create file " + common::AddBackslash(aliasFolder) + name);
      folder = Mountable(common::ExtractFileDir(alias), "alias folder");
      name = common::ExtractFileName(alias);
    }
    plan.romFolder = folder;
    plan.dosRomPath = "D:\\" + name;
  }
  plan.commandLine = "C:\\ZSNES.EXE " + plan.dosRomPath + BuildSwitches(settings, section);
  return plan;
}

std::string DosBoxConfig(const DosBoxPlan& plan, const std::vector<std::string>& dosLines) {
  // The DOS build wants a fast machine with its memory; the rest is DOSBox's own defaults.
  std::string config = "[cpu]\ncycles=max\n\n[dosbox]\nmemsize=63\n\n[autoexec]\n";
  config += "mount c \"" + plan.emulatorFolder + "\"\n";
  if (!plan.romFolder.empty()) config += "mount d \"" + plan.romFolder + "\"\n";
  if (!plan.saveFolder.empty()) config += "mount e \"" + plan.saveFolder + "\"\n";
  config += "c:\n";
  for (const std::string& line : dosLines) config += line + "\n";
  config += "exit\n";
  return config;
}

std::string DosBoxConfigPath(app::SettingsFile& settings) {
  return common::AddBackslash(settings.ReadString(app::option::ZSNESPath)) + "kivo-dosbox.conf";
}

std::string FindDosBox() {
#ifdef _WIN32
  if (std::string onPath = platform::FindProgramOnPath("DOSBox.exe"); !onPath.empty()) return onPath;
  // Its installer makes a folder named with the version ("DOSBox-0.74-3"); the last in name order
  // is the newest.
  for (const char* variable : {"ProgramFiles(x86)", "ProgramFiles"}) {
    const std::optional<std::string> programFiles = platform::EnvironmentVariable(variable);
    if (!programFiles || !common::IsAbsolutePath(*programFiles)) continue;
    std::string found;
    for (const platform::DirItem& item : platform::ListDirectory(*programFiles)) {
      const std::string program = common::AddBackslash(*programFiles) + item.name + "\\DOSBox.exe";
      if (item.isDirectory && common::LowerAscii(item.name).starts_with("dosbox") && item.name > found &&
          platform::FileExists(program)) {
        found = item.name;
      }
    }
    if (!found.empty()) return common::AddBackslash(*programFiles) + found + "\\DOSBox.exe";
  }
  return {};
#else
  return platform::FindProgramOnPath("dosbox");
#endif
}

std::vector<std::string> DosBoxCommand(const std::string& configPath) {
  const std::string dosbox = FindDosBox();
  if (dosbox.empty()) throw common::KivoError(kNoDosBox);
  return {dosbox, "-conf", configPath};
}

EmulatorStart PrepareDosBoxLaunch(app::SettingsFile& settings, const RunRomRequest& request,
                                  const std::string& romFile) {
  const std::vector<std::string> command = DosBoxCommand(DosBoxConfigPath(settings));
  const DosBoxPlan plan = PlanDosBox(settings, request.section, romFile, request.shortNameFolder);
  const std::string saveDirectory = plan.saveFolder.empty() ? std::string() : "E:\\";
  UpdateZsnesCfg(settings, request.section, "D:\\", &saveDirectory);

  std::vector<std::string> lines = {plan.commandLine};
  if (settings.ReadBool(app::option::ShellBat)) {
    // The batch file is written as it always is; DOSBox's shell wants its lines apart, so they are
    // handed to it as DOS read them.
    const std::string batchPath = common::AddBackslash(plan.emulatorFolder) + "zkivo.bat";
    const std::string batch = ZsnesBatchFile(plan.commandLine, request.extraCommand, request.extraCommandEnabled);
    if (!platform::WriteFileAtomic(batchPath, batch)) throw common::KivoError("Cannot create file " + batchPath);
    lines = platform::BatchLines(batch);
  }
  const std::string configPath = DosBoxConfigPath(settings);
  if (!platform::WriteFileAtomic(configPath, DosBoxConfig(plan, lines))) {
    throw common::KivoError("Cannot create file " + configPath);
  }
  EmulatorStart start;
  start.argv = command;
  start.workingFolder = settings.ReadString(app::option::ZSNESPath);
  start.highPriority = settings.ReadBool(app::option::HighPriority);
  return start;
}

}  // namespace kivo::launch
