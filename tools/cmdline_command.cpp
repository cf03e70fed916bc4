// kivo-tool cmdline [SECTION] FILE: the emulator's command line that a launch of FILE from the window
// would start, with what went into it, so a user can see why a launch fails. Nothing is started and
// ZSNES.CFG is left alone; an archive is unpacked into the cache and an awkward name gets its short
// alias, as the launch itself would do, so the path printed is the one the emulator would be given.
#include <ostream>

#include "app/settings_file.h"
#include "browser/configuration_switch.h"
#include "browser/folder_scan.h"
#include "common/path.h"
#include "launch/run_rom.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/short_path.h"
#include "tool_command.h"
#include "tool_environment.h"

namespace {

// The configuration a selection of the file in the list puts in force: the file's caption when
// section "Configs" flags it, "Default" otherwise.
std::string SectionFor(SettingsFile& settings, const std::string& file) {
  ListEntry entry;
  entry.fileName = ExtractFileName(file);
  entry.caption = StripFileExt(entry.fileName);
  entry.kind = IsZipName(entry.fileName) ? kZipArchive : kRomFile;
  if (settings.ReadBool("Configs", entry.caption, false)) entry.kind += 1;
  return ConfigurationFor(entry);
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
  const std::string section = args.size() == 2 ? args.front() : SectionFor(settings, file);

  const std::string romFile = env.GetRomFile(file);
  const std::string shortPath = platform::ShortPathName(romFile, ShortNameFolder(env.ProgramDir()));
  const std::string commandLine = BuildCommandLine(settings, section, shortPath);

  bool fine = true;
  out << "configuration: " << section << '\n';
  out << "ROM file: " << romFile << '\n';
  if (romFile.empty()) {
    err << "kivo-tool: " << file << ": no ROM file in the archive; ZSNES would get the switches alone\n";
    fine = false;
  } else if (shortPath.empty()) {
    err << "kivo-tool: " << romFile << ": file not found; ZSNES would get the switches alone\n";
    fine = false;
  }
  out << "working folder: " << settings.ReadString("General", "ZSNESPath", "") << '\n';
  out << "priority: " << (settings.ReadBool("General", "High Priority", false) ? "high" : "normal") << '\n';
  if (settings.ReadBool("General", "ShellBat", false)) {
    out << "through: " << AddBackslash(settings.ReadString("General", "ZSNESPath", "")) << "zkivo.bat\n";
    out << "DOS command: " << settings.ReadString("General", "ExtraCommand", "") << '\n';
  }

  // The program is found the way the start finds it, so a folder name with blanks that also names
  // another file shows up here as the program that would really run.
  const std::string emulator = AddBackslash(settings.ReadString("General", "ZSNESPath", "")) + "ZSNES.EXE";
  const std::vector<std::string> parts = platform::SplitCommandLine(commandLine);
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
