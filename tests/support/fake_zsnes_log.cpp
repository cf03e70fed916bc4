// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/fake_zsnes_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"

namespace {

int Number(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

bool InstallFakeZsnes(const std::string& folder, const std::string& program) {
  MakeTestDir(folder);
  const std::string exe = folder + "/" + program;
  return ::symlink(KIVO_FAKE_ZSNES, exe.c_str()) == 0;
}

FakeLog ReadFakeLog(const std::string& folder) {
  FakeLog log;
  std::istringstream text(ReadTestFile(folder + "/fake_zsnes.log"));
  FakeStart current;
  std::string line;
  while (std::getline(text, line)) {
    auto value = [&line](std::string_view key) { return std::string_view(line).substr(key.size()); };
    if (line == "--") {
      log.starts.push_back(current);
      current = FakeStart{};
    } else if (line.starts_with("program=")) {
      current.program = value("program=");
    } else if (line.starts_with("arg=")) {
      current.args.emplace_back(value("arg="));
    } else if (line.starts_with("cwd=")) {
      current.cwd = value("cwd=");
    } else if (line.starts_with("nice=")) {
      current.nice = Number(value("nice="));
    } else if (line.starts_with("ended=")) {
      log.ended.push_back(Number(value("ended=")));
    }
  }
  return log;
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
