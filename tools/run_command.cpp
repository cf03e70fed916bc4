// kivo-tool run FILE: starts the emulator for FILE exactly as a double-click on it in the window
// would, and prints what it started as one shell-quoted line.
#include <ostream>

#include "app/settings_file.h"
#include "common/path.h"
#include "common/text.h"
#include "launch/run_rom.h"
#include "platform/process.h"
#include "tool_command.h"
#include "tool_environment.h"

int RunRunCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: kivo-tool run FILE\n";
    return kToolUsage;
  }
  // Errors of the configuration or batch files reach main(), which prints them and exits 1.
  const EmulatorStart start = PrepareLaunch(env.Settings(), env.LaunchRequest(args.front()));
  if (start.argv.empty()) {
    err << "kivo-tool: " << AddBackslash(env.Settings().ReadString("General", "ZSNESPath", ""))
        << "ZSNES.EXE: not found; nothing was started\n";
    return kToolFailed;
  }
  if (!platform::StartDetached(start.argv, start.workingFolder, start.highPriority)) {
    err << "kivo-tool: " << start.argv.front() << ": could not be started in "
        << (start.workingFolder.empty() ? std::string("the current folder") : start.workingFolder) << '\n';
    return kToolFailed;
  }
  out << ShellQuoted(start.argv) << '\n';
  return kToolOk;
}
