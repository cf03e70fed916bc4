// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "fake_emulator_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/temp_dir.h"

void InstallFakeZsnes(const std::string& folder, const std::string& program) {
  MakeTestDir(folder);
  std::string exe = folder + "/" + program;
  if (::symlink(KIVO_FAKE_ZSNES, exe.c_str()) != 0) ADD_FAILURE() << "cannot link " << exe;
}

std::vector<FakeStart> WaitForStarts(const std::string& folder, size_t count) {
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  std::vector<FakeStart> starts = ReadFakeLog(folder).starts;
  while (starts.size() < count && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    starts = ReadFakeLog(folder).starts;
  }
  EXPECT_GE(starts.size(), count) << "the emulator did not record its start in " << folder;
  return starts;
}
