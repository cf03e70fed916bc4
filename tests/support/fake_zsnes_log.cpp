// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/fake_zsnes_log.h"

#include <charconv>
#include <sstream>

#include "support/temp_dir.h"

namespace {

int Number(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

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
    } else if (line.starts_with("pid=")) {
      current.pid = Number(value("pid="));
    } else if (line.starts_with("ended=")) {
      log.ended.push_back(Number(value("ended=")));
    }
  }
  return log;
}
