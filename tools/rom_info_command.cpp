// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool info FILE: the ROM information report, as the "Info" box shows it, for a file that is a
// ROM image. For anything else the report would only decode stray bytes as a title, so the tool says
// what the file is instead, prints no report and exits 1.
#include <ostream>

#include "common/path.h"
#include "platform/files.h"
#include "rom/snes_rom.h"
#include "tool_command.h"
#include "tool_environment.h"

namespace {

// Why the file named on the command line has no report; empty when it has one. `romFile` is the
// plain ROM file it stands for (the image itself, or an archive's ROM file unpacked into the cache).
std::string WhyNoReport(const std::string& argument, const std::string& romFile, const kivo::rom::TSnesRom& rom) {
  const std::string full = ToolEnvironment::FullPath(argument);
  if (romFile.empty()) {
    // Only an archive stands for no file; a missing one unpacks to nothing too.
    return kivo::platform::ModifiedTime(full) ? "no ROM file in the archive" : "the file does not exist";
  }
  if (!rom.FileFound()) return "the file does not exist";
  // Every layout's internal header lies past the image's first byte: offset 0 means none passed.
  if (rom.HeaderOffset() == 0) {
    const std::string inArchive =
        romFile == full ? std::string() : " (" + kivo::common::ExtractFileName(romFile) + " in the archive)";
    return "not a ROM image" + inArchive + ": no valid internal header found";
  }
  return {};
}

}  // namespace

int RunInfoCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: kivo-tool info FILE\n";
    return kToolUsage;
  }
  // A folder is not looked into: as an archive's name it would go to the zip cache.
  if (kivo::platform::DirectoryExists(ToolEnvironment::FullPath(args[0]))) {
    err << "kivo-tool: " << args[0] << ": is a folder, not a ROM image\n";
    return kToolFailed;
  }
  const std::string romFile = env.GetRomFile(args[0]);
  // A file that exists but cannot be read raises KivoError "Cannot read file", which main() prints.
  const kivo::rom::TSnesRom rom(romFile);
  if (const std::string why = WhyNoReport(args[0], romFile, rom); !why.empty()) {
    err << "kivo-tool: " << args[0] << ": " << why << '\n';
    return kToolFailed;
  }
  out << rom.InfoText() << '\n';
  return kToolOk;
}
