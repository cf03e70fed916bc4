// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Starting a program as the launch starts the emulator: detached, from its command line, in its
// working folder, at the priority asked, and at normal priority when the system refuses a higher one.
// Which program a command line names is shown by the cases in tests/data/cmdline/.
#include "platform/process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "support/fake_zsnes_log.h"
#include "support/temp_dir.h"

using namespace kivo::platform;

namespace {

// Whether this process may start a child at a higher priority than its own (root, or CAP_SYS_NICE);
// tried in a child, so nothing here changes. Where it may not, high priority starts at normal.
bool MayRaisePriority() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(::setpriority(PRIO_PROCESS, 0, ::getpriority(PRIO_PROCESS, 0) - 1) == 0 ? 0 : 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// No child of this process is left behind, running or as a zombie.
void ExpectNoChildren() {
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

// A command line started as the launch starts the DOS build's.
bool StartProcess(const std::string& commandLine, const std::string& folder, bool highPriority) {
  return StartDetached(SplitCommandLine(commandLine), folder, highPriority);
}

class StartProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InstallFakeZsnes(zsnes_)); }

  TempDir dir_;
  std::string zsnes_ = dir_ / "My Emulators";
  std::string exe_ = zsnes_ + "/ZSNES.EXE";
};

// The start does not wait: the first emulator still runs once the second has started.
TEST_F(StartProcessTest, StartsDetachedWithTheArgumentsInTheWorkingFolderAtThePriorityAsked) {
  WriteTestFile(zsnes_ + "/fake_zsnes.stay", "");  // the emulators run until this file goes
  ASSERT_TRUE(StartProcess(exe_ + " /roms/MARIO.SMC\t-a  -g 0 ", zsnes_, false));
  ASSERT_EQ(WaitForStarts(zsnes_, 1).size(), 1u);
  ASSERT_TRUE(StartProcess(exe_ + " high", zsnes_, true));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 2);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(::kill(starts[0].pid, 0), 0) << "the first emulator has ended";
  ::unlink((zsnes_ + "/fake_zsnes.stay").c_str());
  EXPECT_EQ(starts[0].program, exe_);
  EXPECT_EQ(starts[0].args, (std::vector<std::string>{"/roms/MARIO.SMC", "-a", "-g", "0"}));
  EXPECT_EQ(starts[0].cwd, zsnes_);
  const int own = ::getpriority(PRIO_PROCESS, 0);
  EXPECT_EQ(starts[0].nice, own);
  EXPECT_EQ(starts[1].nice < own, MayRaisePriority()) << starts[1].nice;
  ExpectNoChildren();
}

TEST_F(StartProcessTest, RefusedRaiseStartsAtNormalPriority) {
  if (::geteuid() != 0) GTEST_SKIP() << "for an ordinary user the start at high priority above shows this";
  // An unprivileged user may not raise a priority: start from a child running as "nobody".
  ::chmod(dir_.Path().c_str(), 0777);
  ::chmod(zsnes_.c_str(), 0777);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(StartProcess(exe_ + " -a", zsnes_, true) ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the start must not fail because the raise was refused";
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].nice, ::getpriority(PRIO_PROCESS, 0));
}

TEST_F(StartProcessTest, FailedStartsReturnFalseAndStartNothing) {
  WriteTestFile(zsnes_ + "/NOTEXEC.EXE", "#!/bin/sh\n");
  const std::pair<std::string, std::string> cases[] = {
      {zsnes_ + "/MISSING.EXE -a", zsnes_},
      {"", zsnes_},
      {zsnes_ + " -a", zsnes_},  // a folder, not a program
      {exe_ + " -a", dir_ / "no such folder"},
      {zsnes_ + "/NOTEXEC.EXE -a", zsnes_},
  };
  for (const auto& [commandLine, folder] : cases) EXPECT_FALSE(StartProcess(commandLine, folder, false)) << commandLine;
  ExpectNoChildren();
  EXPECT_TRUE(ReadFakeLog(zsnes_).starts.empty());
}

// The batch file runs as one shell script of its lines, at the priority asked, which the emulator
// inherits from the shell: lines end at CR or LF, a leading "@" goes.
TEST_F(StartProcessTest, BatchFileRunsItsLinesInOrder) {
  const std::string emu = dir_ / "emu";
  ASSERT_TRUE(InstallFakeZsnes(emu));
  const std::string batch = "echo DOS-FIRST >> fake_zsnes.log\r@" + emu + "/ZSNES.EXE /roms/A.SMC -a";
  ASSERT_TRUE(StartDetached(BatchCommand(batch, emu + "/zkivo.bat"), emu, true));
  std::vector<FakeStart> starts = WaitForStarts(emu, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_TRUE(ReadTestFile(emu + "/fake_zsnes.log").starts_with("DOS-FIRST\nprogram=" + emu + "/ZSNES.EXE\n"));
  EXPECT_EQ(starts[0].args, (std::vector<std::string>{"/roms/A.SMC", "-a"}));
  EXPECT_EQ(starts[0].nice < ::getpriority(PRIO_PROCESS, 0), MayRaisePriority()) << starts[0].nice;
  const std::pair<std::string, std::string> cases[] = {
      {"a\r\nb\n\rc\n", "a\nb\nc\n"},
      {"echo a@b\r@@x\r @y", "echo a@b\n@x\n @y\n"},
      {"", ""},
  };
  for (const auto& [batch, script] : cases) EXPECT_EQ(BatchCommand(batch, "zkivo.bat").at(2), script) << batch;
}

}  // namespace
