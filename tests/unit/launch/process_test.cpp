// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>

#include "support/fake_zsnes_log.h"
#include "support/priority.h"
#include "support/temp_dir.h"

namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLineTest, ProgramIsTheShortestPrefixNamingAFile) {
  TempDir dir;
  MakeTestDir(dir / "My Games");
  WriteTestFile(dir / "My Games/zsnes", "");
  EXPECT_EQ(platform::SplitCommandLine(dir / "My Games/zsnes  /r/A.SMC\t-a -g 0 "),
            (Args{dir / "My Games/zsnes", "/r/A.SMC", "-a", "-g", "0"}));
  EXPECT_EQ(platform::SplitCommandLine("  " + dir / "My Games/zsnes"), (Args{dir / "My Games/zsnes"}));
  // A folder is no program: "My Games" alone is passed over.
  MakeTestDir(dir / "My");
  EXPECT_EQ(platform::SplitCommandLine(dir / "My Games/zsnes x"), (Args{dir / "My Games/zsnes", "x"}));
  // A file named like the first words wins, as with an unquoted Windows command line.
  WriteTestFile(dir / "Emu", "");
  MakeTestDir(dir / "Emu Folder");
  WriteTestFile(dir / "Emu Folder/zsnes", "");
  EXPECT_EQ(platform::SplitCommandLine(dir / "Emu Folder/zsnes x"), (Args{dir / "Emu", "Folder/zsnes", "x"}));
}

TEST(SplitCommandLineTest, NothingWhenNoPrefixNamesAFile) {
  TempDir dir;
  for (const std::string& line : {std::string(), std::string("   "), dir / "missing -a", dir.Path() + " -a"}) {
    EXPECT_TRUE(platform::SplitCommandLine(line).empty()) << line;
  }
}

TEST(BatchScriptTest, OneShellLinePerBatchLine) {
  struct Case {
    std::string batch;
    std::string script;
  };
  const Case cases[] = {
      {"LH MOUSE.COM\r@/z/ZSNES.EXE /r/A.SMC -a", "LH MOUSE.COM\n/z/ZSNES.EXE /r/A.SMC -a\n"},
      {"@/z/ZSNES.EXE -a", "/z/ZSNES.EXE -a\n"},
      {"a\r\nb\n\rc\n", "a\nb\nc\n"},
      {"echo a@b\r@@x\r @y", "echo a@b\n@x\n @y\n"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::BatchScript(c.batch), c.script) << c.batch;
}

class StartProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { EXPECT_TRUE(InstallFakeZsnes(zsnes_)); }

  // No child of this process is left behind, running or as a zombie.
  static void ExpectNoChildren() {
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
  }

  TempDir dir_;
  std::string zsnes_ = dir_ / "zsnes";
  std::string exe_ = zsnes_ + "/ZSNES.EXE";
};

TEST_F(StartProcessTest, StartsDetachedWithTheArgumentsInTheWorkingFolder) {
  ASSERT_TRUE(platform::StartProcess(exe_ + " /roms/MARIO.SMC -a -e -g 0 -k 75", zsnes_, false));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].program, exe_);
  EXPECT_EQ(starts[0].args, (Args{"/roms/MARIO.SMC", "-a", "-e", "-g", "0", "-k", "75"}));
  EXPECT_EQ(starts[0].cwd, zsnes_);
  EXPECT_EQ(starts[0].nice, ::getpriority(PRIO_PROCESS, 0));
  EXPECT_NE(starts[0].pid, ::getpid());
  ExpectNoChildren();
}

TEST_F(StartProcessTest, SecondStartWhileTheFirstStillRuns) {
  ASSERT_TRUE(platform::StartProcess(exe_ + " first sleep", zsnes_, false));
  ASSERT_TRUE(platform::StartProcess(exe_ + " second", zsnes_, false));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 2);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_NE(starts[0].pid, starts[1].pid);
  ExpectNoChildren();
}

TEST_F(StartProcessTest, ProgramInAFolderWithBlanks) {
  std::string folder = dir_ / "My Emulators";
  EXPECT_TRUE(InstallFakeZsnes(folder));
  ASSERT_TRUE(platform::StartProcess(folder + "/ZSNES.EXE -a", zsnes_, false));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].program, folder + "/ZSNES.EXE");
  EXPECT_EQ(starts[0].args, (Args{"-a"}));
}

TEST_F(StartProcessTest, RefusedRaiseStartsAtNormalPriority) {
  if (::geteuid() != 0) GTEST_SKIP() << "the window's launch test covers this for an ordinary user";
  // An unprivileged user may not raise a priority: start from a child running as "nobody".
  ::chmod(dir_.Path().c_str(), 0777);
  ::chmod(zsnes_.c_str(), 0777);
  pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(platform::StartProcess(exe_ + " -a", zsnes_, true) ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0) << "the start must not fail because the raise was refused";
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].nice, ::getpriority(PRIO_PROCESS, 0));
}

TEST_F(StartProcessTest, FailedStartsReturnFalseAndStartNothing) {
  WriteTestFile(zsnes_ + "/NOTEXEC.EXE", "#!/bin/sh\n");
  ::chmod((zsnes_ + "/NOTEXEC.EXE").c_str(), 0644);
  struct Case {
    std::string commandLine;
    std::string folder;
  };
  const Case cases[] = {
      {zsnes_ + "/MISSING.EXE -a", zsnes_},
      {"", zsnes_},
      {zsnes_ + " -a", zsnes_},  // a folder, not a program
      {exe_ + " -a", dir_ / "no such folder"},
      {zsnes_ + "/NOTEXEC.EXE -a", zsnes_},
  };
  for (const Case& c : cases) EXPECT_FALSE(platform::StartProcess(c.commandLine, c.folder, false)) << c.commandLine;
  ExpectNoChildren();
  // A start that works after all of them is the only one recorded.
  ASSERT_TRUE(platform::StartProcess(exe_ + " last", zsnes_, false));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args, (Args{"last"}));
}

TEST_F(StartProcessTest, BatchFileRunsItsLinesInOrder) {
  std::string batch = zsnes_ + "/zkivo.bat";
  WriteTestFile(batch, "echo DOS-FIRST >> fake_zsnes.log\r@" + exe_ + " /roms/A.SMC -a");
  ASSERT_TRUE(platform::StartBatchFile(batch, zsnes_, true));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(ReadTestFile(zsnes_ + "/fake_zsnes.log").rfind("DOS-FIRST\nprogram=" + exe_ + "\n", 0), 0u);
  EXPECT_EQ(starts[0].args, (Args{"/roms/A.SMC", "-a"}));
  EXPECT_EQ(starts[0].cwd, zsnes_);
  if (MayRaisePriority()) {
    EXPECT_LT(starts[0].nice, ::getpriority(PRIO_PROCESS, 0)) << "the shell runs high, the emulator inherits it";
  }
  ExpectNoChildren();
}

TEST_F(StartProcessTest, MissingBatchFileStartsNothing) {
  EXPECT_FALSE(platform::StartBatchFile(zsnes_ + "/zkivo.bat", zsnes_, false));
  EXPECT_FALSE(platform::StartBatchFile(zsnes_ + "/ZSNES.EXE/zkivo.bat", zsnes_, false));
}

}  // namespace
