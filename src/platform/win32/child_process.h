// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "platform/win32/file_io.h"
#include "platform/win32/windows_api.h"

// Starting another program, shared by the detached starts (process.h) and the waited-for runs
// (run_and_wait.h).
namespace kivo::platform::win32 {

// What CreateProcessW is given.
struct ChildStart {
  std::wstring program;      // the full path of the file run
  std::wstring commandLine;  // as the program's C library splits it back into argv
  std::wstring folder;       // empty: this process's current folder
  DWORD flags = 0;           // creation flags
  // When any is given: the child's standard input, output and error (none where not given), and the
  // only handles it inherits. Otherwise it inherits nothing. Each must be inheritable.
  HANDLE standardInput = nullptr;
  HANDLE standardOutput = nullptr;
  HANDLE standardError = nullptr;
};

// The start of argv[0] (a path; a relative one counts from the current folder) with the arguments
// argv[1..] in `folder`. A batch file (".bat", ".cmd") runs through the command interpreter, as
// Windows runs one. False, with the system's error set, when an argument cannot be handed to a batch
// file unchanged (it holds a quote, a '%' or a line break, which the interpreter would act on).
bool PrepareStart(const std::vector<std::string>& argv, const std::string& folder, ChildStart& start);

// The device that swallows output and gives no input, opened for a child to inherit.
Handle NullDevice();

// A copy of one of this process's handles that a child can inherit; not valid when there is none.
Handle InheritableCopy(HANDLE handle);

// Starts the child: 0, or the system's error.
DWORD StartChild(const ChildStart& start, PROCESS_INFORMATION& started);

// The command interpreter: %ComSpec% when it holds a full path, else cmd.exe in the system folder.
std::string CommandInterpreter();

}  // namespace kivo::platform::win32
