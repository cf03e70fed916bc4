// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <cstdlib>

ToolRun RunTool(const TempDir& scratch, const std::string& program, const std::string& args,
                const std::string& folder) {
  const std::string command = "cd '" + folder + "' && '" + program + "' " + args + " >'" + (scratch / "out.txt") +
                              "' 2>'" + (scratch / "err.txt") + "'; echo $? >'" + (scratch / "status.txt") + "'";
  ToolRun run;
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "shell failed: " << command;
  run.status = std::atoi(ReadTestFile(scratch / "status.txt").c_str());
  run.out = ReadTestFile(scratch / "out.txt");
  run.err = ReadTestFile(scratch / "err.txt");
  return run;
}
