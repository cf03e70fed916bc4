// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// The fake emulator (tests/support/fake_zsnes), for every test that starts an emulator: putting it
// in place, and reading back how it was started.

// Makes `folder` an emulator folder: creates it and links `program` ("ZSNES.EXE", the DOS build's
// name, or "zsnes", the native build's) to the fake emulator (on Windows, which gives users no
// symbolic links, copies it there). False when the link cannot be made.
bool InstallFakeZsnes(const std::string& folder, const std::string& program = "ZSNES.EXE");

// How the fake emulator was started, read back from the log it appends to "fake_zsnes.log" in its
// working folder.
struct FakeStart {
  std::string program;
  std::vector<std::string> args;
  std::string cwd;
  int nice = 0;           // POSIX systems
  long priorityClass = 0;  // Windows: what GetPriorityClass gave (NORMAL_PRIORITY_CLASS, ...)
  int pid = 0;
};

struct FakeLog {
  std::vector<FakeStart> starts;  // complete records only
};

// The log in `folder` as it is now; no log yet reads as no starts. The tests poll the log while the
// fake writes it: a record counts once its closing line is there.
FakeLog ReadFakeLog(const std::string& folder);

// The records in the log, once `count` of them are complete. The started program runs on its own,
// so this waits for it, giving up (and failing the GoogleTest test) after a generous while.
std::vector<FakeStart> WaitForStarts(const std::string& folder, size_t count);
