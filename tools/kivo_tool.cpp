// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool: KIVO's core from the command line. The first argument names the subcommand; the table
// of subcommands is in tool_commands.cpp.
#include <iostream>
#include <string>
#include <vector>

#include "common/error.h"
#include "platform/console.h"
#include "tool_command.h"
#include "tool_environment.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage: kivo-tool COMMAND [ARGUMENTS]\n\ncommands:\n";
  for (const ToolCommand& command : ToolCommands()) {
    out << "  " << command.name << ' ' << command.arguments << "\n      " << command.summary << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  kivo::platform::UseBinaryStandardStreams();
  if (argc < 2) {
    PrintUsage(std::cerr);
    return kToolUsage;
  }
  const std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    PrintUsage(std::cout);
    return kToolOk;
  }
  for (const ToolCommand& command : ToolCommands()) {
    if (name != command.name) continue;
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
      ToolEnvironment env;
      if (!env.StartNotice().empty()) std::cerr << "kivo-tool: " << env.StartNotice() << '\n';
      int status = command.run(env, args, std::cout, std::cerr);
      std::cout.flush();
      return status;
    } catch (const kivo::common::KivoError& error) {
      std::cout.flush();
      std::cerr << "kivo-tool: " << error.what() << '\n';
      return kToolFailed;
    }
  }
  std::cerr << "kivo-tool: unknown command \"" << name << "\"\n\n";
  PrintUsage(std::cerr);
  return kToolUsage;
}
