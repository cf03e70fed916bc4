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

// The fake emulator's program file, built beside the tests.
std::string FakeZsnesPath();

// Makes `folder` an emulator folder: creates it and links "ZSNES.EXE" to the fake emulator.
void InstallFakeZsnes(const std::string& folder);

// The records in the log, once `count` of them are complete. The started program runs on its own,
// so this waits for it, giving up (and failing the test) after a generous while.
std::vector<FakeStart> WaitForStarts(const std::string& folder, size_t count);

// The records complete in the log now.
std::vector<FakeStart> ReadStarts(const std::string& folder);
