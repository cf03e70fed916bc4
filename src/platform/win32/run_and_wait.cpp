// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/run_and_wait.h"

#include "platform/process.h"
#include "platform/win32/child_process.h"
#include "platform/win32/file_io.h"

namespace kivo::platform {
namespace {

// Exit codes from 0xC0000000 up are the status of an exception that ended the program (an access
// violation, say), which is what a signal is on POSIX: it did not end normally.
constexpr DWORD kFirstExceptionStatus = 0xC0000000;

}  // namespace

int RunProgramAndWait(const std::vector<std::string>& argv, const std::string& workingFolder) {
  if (argv.empty() || argv[0].empty()) return -1;
  std::vector<std::string> args = argv;
  // A bare name is looked up on PATH; a path is taken as it is.
  if (args[0].find_first_of("/\\:") == std::string::npos) args[0] = FindProgramOnPath(args[0]);
  if (args[0].empty()) return -1;
  win32::ChildStart start;
  const win32::Handle null = win32::NullDevice();
  if (!null.IsValid() || !win32::PrepareStart(args, workingFolder, start)) return -1;
  // A console program gets a hidden console of its own rather than a window flashing up.
  start.flags = CREATE_NO_WINDOW;
  start.standardInput = start.standardOutput = start.standardError = null.Get();
  PROCESS_INFORMATION started{};
  if (win32::StartChild(start, started) != 0) return -1;
  ::CloseHandle(started.hThread);
  const win32::Handle process(started.hProcess);
  DWORD code = 0;
  if (::WaitForSingleObject(process.Get(), INFINITE) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process.Get(), &code)) {
    return -1;
  }
  return code >= kFirstExceptionStatus ? -1 : static_cast<int>(code);
}

}  // namespace kivo::platform
