// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "support/temp_dir.h"

// What a command-line run gave: its exit status and everything it printed.
struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs "<program> <args>" through the shell in `folder`; `args` is shell text, quoted by the caller.
// (Windows has no such shell: there the words are split as sh splits them, and the program is
// started with them.) The output is gathered in files of `scratch`.
ToolRun RunTool(const TempDir& scratch, const std::string& program, const std::string& args, const std::string& folder);
