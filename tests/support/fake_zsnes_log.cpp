// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/fake_zsnes_log.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <utility>

#include "support/temp_dir.h"

bool InstallFakeZsnes(const std::string& folder, const std::string& program) {
  MakeTestDir(folder);
#ifdef _WIN32
  // Windows users have no symbolic links: a copy, which runs under any name.
  std::error_code error;
  return std::filesystem::copy_file(KIVO_FAKE_ZSNES, folder + "/" + program, error);
#else
  return ::symlink(KIVO_FAKE_ZSNES, (folder + "/" + program).c_str()) == 0;
#endif
}

FakeLog ReadFakeLog(const std::string& folder) {
  FakeLog log;
  std::istringstream text(ReadTestFile(folder + "/fake_zsnes.log"));
  FakeStart current;
  for (std::string line; std::getline(text, line);) {
    const size_t eq = line.find('=');
    const std::string key = line.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : line.substr(eq + 1);
    if (line == "--") {
      log.starts.push_back(std::exchange(current, FakeStart{}));
    } else if (key == "program") {
      current.program = value;
    } else if (key == "arg") {
      current.args.push_back(value);
    } else if (key == "cwd") {
      current.cwd = value;
    } else if (key == "nice") {
      current.nice = std::atoi(value.c_str());
    } else if (key == "priority") {
      current.priorityClass = std::atol(value.c_str());
    } else if (key == "pid") {
      current.pid = std::atoi(value.c_str());
    }
  }
  return log;
}

std::vector<FakeStart> WaitForStarts(const std::string& folder, size_t count) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  std::vector<FakeStart> starts = ReadFakeLog(folder).starts;
  while (starts.size() < count && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    starts = ReadFakeLog(folder).starts;
  }
  EXPECT_GE(starts.size(), count) << "the emulator did not record its start in " << folder;
  return starts;
}
