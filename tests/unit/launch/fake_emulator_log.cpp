#include "fake_emulator_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"

std::string FakeZsnesPath() { return KIVO_FAKE_ZSNES; }

void InstallFakeZsnes(const std::string& folder) {
  MakeTestDir(folder);
  std::string exe = folder + "/ZSNES.EXE";
  if (::symlink(FakeZsnesPath().c_str(), exe.c_str()) != 0) ADD_FAILURE() << "cannot link " << exe;
}

std::vector<FakeStart> ReadStarts(const std::string& folder) {
  std::vector<FakeStart> starts;
  std::istringstream log(ReadTestFile(folder + "/fake_zsnes.log"));
  FakeStart current;
  std::string line;
  while (std::getline(log, line)) {
    if (line == "--") {
      starts.push_back(current);
      current = FakeStart{};
    } else if (line.rfind("program=", 0) == 0) {
      current.program = line.substr(8);
    } else if (line.rfind("arg=", 0) == 0) {
      current.args.push_back(line.substr(4));
    } else if (line.rfind("cwd=", 0) == 0) {
      current.cwd = line.substr(4);
    } else if (line.rfind("nice=", 0) == 0) {
      current.nice = std::stoi(line.substr(5));
    } else if (line.rfind("pid=", 0) == 0) {
      current.pid = std::stoi(line.substr(4));
    }
  }
  return starts;
}

std::vector<FakeStart> WaitForStarts(const std::string& folder, size_t count) {
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  std::vector<FakeStart> starts = ReadStarts(folder);
  while (starts.size() < count && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    starts = ReadStarts(folder);
  }
  EXPECT_GE(starts.size(), count) << "the emulator did not record its start in " << folder;
  return starts;
}
