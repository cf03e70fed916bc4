// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool run FILE: starts the emulator for FILE exactly as a double-click on it in the window
// would, and prints what it started as one line quoted for the system's shell.
#include <ostream>

#include "app/settings_file.h"
#include "common/text.h"
#include "launch/run_rom.h"
#include "tool_command.h"
#include "tool_environment.h"

using namespace kivo::common;
using namespace kivo::launch;

int RunRunCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: kivo-tool run FILE\n";
    return kToolUsage;
  }
  // Whatever keeps the launch from starting is a KivoError, which main() prints before exiting 1.
  const kivo::launch::EmulatorStart start = PrepareLaunch(env.Settings(), env.LaunchRequest(args.front()));
  kivo::launch::StartEmulator(start);
  env.KeepExtractedFiles();
  if (!start.notice.empty()) err << "kivo-tool: " << start.notice << '\n';
  out << kivo::common::SystemQuoted(start.argv) << '\n';
  return kToolOk;
}
