// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool run [--verbose] FILE: starts the emulator for FILE exactly as a double-click on it in the
// window would, and prints what it started as one line quoted for the system's shell. The emulator
// runs on after the tool has ended and would write into the terminal whenever it likes, between the
// user's next commands; its output goes to the null device unless --verbose asks to see it.
#include <algorithm>
#include <ostream>

#include "app/game_records.h"
#include "app/settings_file.h"
#include "common/path.h"
#include "common/text.h"
#include "launch/run_rom.h"
#include "platform/process.h"
#include "tool_command.h"
#include "tool_environment.h"

using namespace kivo::common;
using namespace kivo::launch;

int RunRunCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files = args;
  const bool verbose = std::erase(files, "--verbose") > 0;
  if (files.size() != 1) {
    err << "usage: kivo-tool run [--verbose] FILE\n";
    return kToolUsage;
  }
  kivo::platform::SetStartedOutput(verbose ? kivo::platform::StartedOutput::kInherited
                                           : kivo::platform::StartedOutput::kDiscarded);
  // Whatever keeps the launch from starting is a KivoError, which main() prints before exiting 1.
  const kivo::launch::EmulatorStart start = PrepareLaunch(env.Settings(), env.LaunchRequest(files.front()));
  kivo::launch::StartEmulator(start);
  // Counted as a start from the window is: it shows in "Recently played".
  kivo::app::GameRecords::RecordStart(env.Settings().Path(),
                                      kivo::common::LexicalPath(ToolEnvironment::FullPath(files.front())),
                                      kivo::app::SecondsNow());
  env.KeepExtractedFiles();
  if (!start.notice.empty()) err << "kivo-tool: " << start.notice << '\n';
  out << kivo::common::SystemQuoted(start.argv) << '\n';
  return kToolOk;
}
