// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What a launch asks of the start that kivo-tool does not show: the priority and the working folder.
// The command lines and the files written first are the cases in tests/data/cmdline/.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>

#include "app/settings_file.h"
#include "launch/run_rom.h"
#include "support/fake_zsnes_log.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

using namespace kivo::launch;

namespace {

// A game beside the fake emulator as ZSNES.EXE (in "emu") and as the system's own build, with a
// home of the test's own. On Linux ZSNES.EXE is the DOS build started directly; on Windows the fake
// is a Windows program, so both folders hold the Windows build, by either of its names.
#ifdef _WIN32
constexpr const char* kOwnBuild = "zsnesw.exe";
#else
constexpr const char* kOwnBuild = "zsnes";
#endif

class LaunchStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InstallFakeZsnes(emu) && InstallFakeZsnes(native.Path(), kOwnBuild));
    WriteTestFile(dir / "MARIO.SMC", "mario");
  }
  TempDir dir, home, native;
  ScopedEnv setHome{"HOME", home.Path()}, xdg{"XDG_CONFIG_HOME", std::nullopt};
  const std::string emu = dir / "emu";
};

// "High priority" is asked for whichever way the emulator starts: the DOS build directly or through
// its batch file, and the native build. Each starts in the emulator's folder.
TEST_F(LaunchStartTest, HighPriorityIsAskedForEveryWayOfStarting) {
  const std::pair<std::string, std::string> ways[] = {{emu, ""}, {emu, "ShellBat=1\n"}, {native.Path(), ""}};
  for (const auto& [folder, batch] : ways) {
    for (bool high : {false, true}) {
      WriteTestFile(dir / "kivo.ini",
                    "[General]\nZSNESPath=" + folder + "\n" + batch + "High Priority=" + (high ? "1" : "0") + "\n");
      kivo::app::SettingsFile settings(dir / "kivo.ini");
      const RunRomRequest request{"Default", dir.Path(), "MARIO.SMC", "", false, dir / "shortnames", {}};
      const EmulatorStart start = PrepareLaunch(settings, request);
      EXPECT_EQ(start.highPriority, high) << folder << " " << batch;
      EXPECT_EQ(start.workingFolder, folder) << batch;
    }
  }
}

// The DOS command runs as the user, so it is taken only from a kivo.ini no one else can change:
// one whose group or other users may write it, or that another user owns, starts the game without
// it and says why and what mends it. Both builds, in batch mode.
TEST_F(LaunchStartTest, TheDosCommandOfAKivoIniOthersCanChangeIsNotRun) {
#ifdef _WIN32
  GTEST_SKIP() << "file modes and other owners are POSIX";
#else
  const std::string ini = dir / "kivo.ini";
  const std::string command = "touch /tmp/owned";
  const std::string refused = "kivo.ini can be changed by other users; its extra command was not run. Make it private: ";
  const passwd* nobody = ::getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  struct Case {
    mode_t mode;
    bool foreign;
    std::string notice;
  };
  const Case cases[] = {{0600, false, ""},
                        {0644, false, ""},
                        {0664, false, refused + "chmod go-w " + ini},
                        {0646, false, refused + "chmod go-w " + ini},
                        {0600, true, refused + "it belongs to another user, so put a copy of your own in its place, "
                                               "then chmod go-w " + ini}};
  for (const std::string& folder : {emu, native.Path()}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(folder + " " + std::to_string(c.mode) + (c.foreign ? " foreign" : ""));
      WriteTestFile(ini, "[General]\nZSNESPath=" + folder + "\nShellBat=1\nExtraCommand=" + command + "\n");
      ASSERT_EQ(::chown(ini.c_str(), c.foreign ? nobody->pw_uid : ::geteuid(), ::getegid()), 0);
      ASSERT_EQ(::chmod(ini.c_str(), c.mode), 0);
      kivo::app::SettingsFile settings(ini);
      const RunRomRequest request{"Default", dir.Path(), "MARIO.SMC", command, true, dir / "shortnames", {}};
      const EmulatorStart start = PrepareLaunch(settings, request);
      EXPECT_EQ(start.notice, c.notice);
      // The DOS build's batch file holds it; the native build hands it to the shell.
      const std::string given = folder == emu ? ReadTestFile(emu + "/zkivo.bat") : start.argv.at(4);
      EXPECT_EQ(given.find(command) != std::string::npos, c.notice.empty()) << given;
      EXPECT_FALSE(start.argv.empty()) << "the game starts all the same";
    }
  }
#endif
}

// The DOS command goes into the batch file only while its field is enabled.
TEST(ZsnesBatchFileTest, TheDosCommandOnlyWhileTheFieldIsEnabled) {
  EXPECT_EQ(ZsnesBatchFile("/z/ZSNES.EXE -a", "LH MOUSE.COM", false), "@/z/ZSNES.EXE -a");
}

}  // namespace
