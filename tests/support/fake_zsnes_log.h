// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// How the fake emulator (tests/support/fake_zsnes) was started, read back from the log it appends
// to "fake_zsnes.log" in its working folder.
struct FakeStart {
  std::string program;
  std::vector<std::string> args;
  std::string cwd;
  int nice = 0;
  int pid = 0;
};

struct FakeLog {
  std::vector<FakeStart> starts;  // complete records only
  std::vector<int> ended;         // emulators held by "fake_zsnes.stay" that have ended since
};

// The log in `folder` as it is now; no log yet reads as no starts. A line the fake has not finished
// writing reads as 0 rather than failing, since the tests poll the log while the fake runs.
FakeLog ReadFakeLog(const std::string& folder);
