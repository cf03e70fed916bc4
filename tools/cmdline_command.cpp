// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool cmdline [SECTION] FILE: the emulator's command line that a launch of FILE from the window
// would start, with what went into it, so a user can see why a launch fails. Nothing is started and
// the emulator's configuration files are left alone; an archive is unpacked into the cache and, for
// the DOS build, an awkward name gets its short alias, as the launch itself would do, so the path
// printed is the one the emulator would be given.
#include <optional>
#include <ostream>

#include "app/options.h"
#include "app/settings_file.h"
#include "common/path.h"
#include "common/text.h"
#include "launch/dosbox_launch.h"
#include "launch/emulator_profile.h"
#include "launch/native_launch.h"
#include "launch/run_rom.h"
#include "launch/windows_launch.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/short_path.h"
#include "tool_command.h"
#include "tool_environment.h"

using namespace kivo::app;
using namespace kivo::launch;

namespace {

// The lines every build shares: the configuration, the ROM file, the folder and the priority.
// False when the emulator would get no ROM.
bool PrintLaunchFacts(SettingsFile& settings, const std::string& section, const std::string& file,
                      const std::string& romFile, bool romFound, std::ostream& out, std::ostream& err) {
  bool fine = true;
  out << "configuration: " << section << '\n';
  out << "ROM file: " << romFile << '\n';
  if (romFile.empty()) {
    err << "kivo-tool: " << file << ": no ROM file in the archive; ZSNES would get the switches alone\n";
    fine = false;
  } else if (!romFound) {
    err << "kivo-tool: " << romFile << ": file not found; ZSNES would get the switches alone\n";
    fine = false;
  }
  out << "working folder: " << settings.ReadString(kivo::app::option::ZSNESPath) << '\n';
  out << "priority: " << (settings.ReadBool(kivo::app::option::HighPriority) ? "high" : "normal") << '\n';
  return fine;
}

int PrintDosCommandLine(SettingsFile& settings, const std::string& section, const std::string& file,
                        const std::string& romFile, const std::string& aliasFolder, std::ostream& out,
                        std::ostream& err) {
  const std::string shortPath = kivo::platform::ShortPathName(romFile, aliasFolder);
  const std::string commandLine = kivo::launch::BuildCommandLine(settings, section, shortPath);
  bool fine = PrintLaunchFacts(settings, section, file, romFile, !shortPath.empty(), out, err);
  if (settings.ReadBool(kivo::app::option::ShellBat)) {
    out << "through: " << kivo::common::AddBackslash(settings.ReadString(kivo::app::option::ZSNESPath))
        << "zkivo.bat\n";
    out << "DOS command: " << settings.ReadString(kivo::app::option::ExtraCommand) << '\n';
  }

  // The program is found the way the start finds it, so a folder name with blanks that also names
  // another file shows up here as the program that would really run.
  const std::string emulator =
      kivo::common::AddBackslash(settings.ReadString(kivo::app::option::ZSNESPath)) + "ZSNES.EXE";
  const std::vector<std::string> parts = kivo::platform::SplitCommandLine(commandLine);
  if (parts.empty()) {
    err << "kivo-tool: " << emulator << ": not found; the launch would start nothing\n";
    fine = false;
  } else if (parts.front() != emulator) {
    err << "kivo-tool: the launch would start " << parts.front() << ", not " << emulator << '\n';
    fine = false;
  }
  out << commandLine << '\n';
  return fine ? kToolOk : kToolFailed;
}

// The DOS build inside DOSBox: the drives, the DOS command line, and DOSBox's own command last.
int PrintDosBoxCommandLine(SettingsFile& settings, const kivo::launch::RunRomRequest& request, const std::string& file,
                           const std::string& romFile, std::ostream& out, std::ostream& err) {
  bool fine = PrintLaunchFacts(settings, request.section, file, romFile, kivo::platform::FileExists(romFile), out, err);
  const kivo::launch::DosBoxPlan plan =
      kivo::launch::PlanDosBox(settings, request.section, romFile, request.shortNameFolder);
  out << "drive C: " << plan.emulatorFolder << '\n';
  if (!plan.romFolder.empty()) out << "drive D: " << plan.romFolder << '\n';
  if (!plan.saveFolder.empty()) out << "drive E: " << plan.saveFolder << '\n';
  if (settings.ReadBool(kivo::app::option::ShellBat)) {
    out << "through: C:\\zkivo.bat\n";
    out << "DOS command: " << settings.ReadString(kivo::app::option::ExtraCommand) << '\n';
  }
  out << "in DOSBox: " << plan.commandLine << '\n';
  out << kivo::common::SystemQuoted(kivo::launch::DosBoxCommand(kivo::launch::DosBoxConfigPath(settings))) << '\n';
  return fine ? kToolOk : kToolFailed;
}

int PrintNativeCommandLine(SettingsFile& settings, const kivo::launch::RunRomRequest& request,
                           const std::string& program, const std::string& file, const std::string& romFile,
                           std::ostream& out, std::ostream& err) {
  bool fine = PrintLaunchFacts(settings, request.section, file, romFile, kivo::platform::FileExists(romFile), out, err);
  out << "configuration file: " << kivo::launch::NativeConfigFile(settings, request.workingFolder) << '\n';
  out << kivo::common::ShellQuoted(kivo::launch::NativeCommand(settings, request.section, program, romFile,
                                                               request.extraCommand, request.extraCommandEnabled))
      << '\n';
  return fine ? kToolOk : kToolFailed;
}

// The Windows build: its configuration file, then its command line as the command interpreter and
// the program read it back, with the ROM as the build is given it.
int PrintWindowsCommandLine(SettingsFile& settings, const kivo::launch::RunRomRequest& request,
                            const std::string& program, const std::string& file, const std::string& romFile,
                            std::ostream& out, std::ostream& err) {
  const bool batchMode = settings.ReadBool(kivo::app::option::ShellBat);
  const std::string romArgument = kivo::launch::WindowsRomArgument(romFile, request.shortNameFolder, batchMode);
  bool fine = PrintLaunchFacts(settings, request.section, file, romFile, !romArgument.empty(), out, err);
  out << "configuration file: " << kivo::launch::WindowsConfigFile(settings, program) << '\n';
  if (batchMode) {
    out << "through: " << kivo::common::AddBackslash(kivo::common::ExtractFileDir(program)) << "zkivo.bat\n";
    out << "DOS command: " << settings.ReadString(kivo::app::option::ExtraCommand) << '\n';
  }
  const std::vector<std::string> argv = kivo::launch::WindowsCommand(settings, request.section, program, romArgument);
  const std::optional<std::string> line = kivo::common::InterpreterLine(argv);
  if (!line && batchMode) {
    err << "kivo-tool: " << program << ": the command interpreter would change this path\n";
    fine = false;
  }
  out << kivo::common::SystemQuoted(argv) << '\n';
  return fine ? kToolOk : kToolFailed;
}

}  // namespace

int RunCmdlineCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out,
                      std::ostream& err) {
  if (args.empty() || args.size() > 2) {
    err << "usage: kivo-tool cmdline [SECTION] FILE\n";
    return kToolUsage;
  }
  const std::string& file = args.back();
  SettingsFile& settings = env.Settings();
  // A section named on the command line that kivo.ini lacks would show the built-in defaults as if
  // they were that configuration's: a misspelt name would pass unnoticed.
  if (args.size() == 2 && !kivo::common::EqualsNoCase(args.front(), kivo::app::section::Default) &&
      !settings.Snapshot()->HasSection(args.front())) {
    err << "kivo-tool: no configuration \"" << args.front() << "\": " << settings.Path() << " has no section ["
        << args.front() << "]\n";
    return kToolUsage;
  }
  const kivo::launch::RunRomRequest request = env.LaunchRequest(file, args.size() == 2 ? args.front() : "");
  const std::string romFile = env.GetRomFile(file);
  const kivo::launch::EmulatorProfile profile = kivo::launch::FindEmulatorProfile(settings);
  if (profile.build == EmulatorBuild::Native) {
    return PrintNativeCommandLine(settings, request, profile.program, file, romFile, out, err);
  }
  if (profile.build == EmulatorBuild::Windows) {
    return PrintWindowsCommandLine(settings, request, profile.program, file, romFile, out, err);
  }
  if (profile.inDosBox) return PrintDosBoxCommandLine(settings, request, file, romFile, out, err);
  return PrintDosCommandLine(settings, request.section, file, romFile, request.shortNameFolder, out, err);
}
