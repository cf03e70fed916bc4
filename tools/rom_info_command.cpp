// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool info FILE: the ROM information report, as the "Info" box shows it.
#include <ostream>

#include "rom/snes_rom.h"
#include "tool_command.h"
#include "tool_environment.h"

int RunInfoCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: kivo-tool info FILE\n";
    return kToolUsage;
  }
  // The report is printed as the box would show it in every case (only "Title: " when there is no
  // file); why it is empty goes to the error stream and the exit status.
  const std::string romFile = env.GetRomFile(args[0]);
  kivo::rom::TSnesRom rom(romFile);
  out << rom.InfoText() << '\n';
  if (romFile.empty()) {
    err << "kivo-tool: " << args[0] << ": no ROM file in the archive\n";
    return kToolFailed;
  }
  if (!rom.FileFound()) {
    err << "kivo-tool: " << args[0] << ": file not found\n";
    return kToolFailed;
  }
  return kToolOk;
}
