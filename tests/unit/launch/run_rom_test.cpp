// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/run_rom.h"

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "common/error.h"
#include "platform/files.h"
#include "support/fake_zsnes_log.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

using Args = std::vector<std::string>;

const Args kDefaultSwitches = {"-a", "-e", "-g", "0", "-k", "75", "-m", "-p", "100", "-r", "2", "-s", "-v", "3"};

Args Concat(Args head, const Args& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(ZsnesBatchFileTest, Bytes) {
  const std::string line = "/zsnes/ZSNES.EXE /roms/MARIO.SMC -a -e";
  EXPECT_EQ(ZsnesBatchFile(line, "LH MOUSE.COM", true), "LH MOUSE.COM\r@/zsnes/ZSNES.EXE /roms/MARIO.SMC -a -e");
  EXPECT_EQ(ZsnesBatchFile(line, "", true), "@/zsnes/ZSNES.EXE /roms/MARIO.SMC -a -e");
  // A disabled field (batch mode was off when the text was typed) contributes nothing.
  EXPECT_EQ(ZsnesBatchFile(line, "LH MOUSE.COM", false), "@/zsnes/ZSNES.EXE /roms/MARIO.SMC -a -e");
}

class RunRomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EXPECT_TRUE(InstallFakeZsnes(zsnes_));
    MakeTestDir(roms_);
    MakeTestDir(app_);
    WriteTestFile(roms_ + "/MARIO.SMC", "mario");
    Settings("");
  }

  void Settings(const std::string& general) {
    WriteTestFile(app_ + "/kivo.ini", "[General]\nZSNESPath=" + zsnes_ + "\n" + general);
  }

  RunRomRequest Request(const std::string& rom) {
    RunRomRequest request;
    request.section = "Default";
    request.workingFolder = roms_;
    request.selectedRomFile = rom;
    request.shortNameFolder = ShortNameFolder(app_);
    return request;
  }

  TempDir dir_;
  std::string app_ = dir_ / "app";
  std::string zsnes_ = dir_ / "zsnes";
  std::string roms_ = dir_ / "roms";
  SettingsFile settings_{app_ + "/kivo.ini"};
};

TEST_F(RunRomTest, StartsTheEmulatorWithTheRomAndTheSwitches) {
  WriteTestFile(zsnes_ + "/ZSNES.CFG", "Sound = 1\r\nGameDirectory = C:\\old\r\n");
  ASSERT_TRUE(RunRom(settings_, Request("MARIO.SMC")));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].program, zsnes_ + "/ZSNES.EXE");
  EXPECT_EQ(starts[0].args, Concat({roms_ + "/MARIO.SMC"}, kDefaultSwitches));
  EXPECT_EQ(starts[0].cwd, zsnes_);
  EXPECT_EQ(ReadTestFile(zsnes_ + "/ZSNES.CFG"),
            "Sound = 1\r\nGameDirectory =" + roms_ +
                "\r\nFrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\nScanlines =0\r\n"
                "VSync =0\r\n");
  EXPECT_FALSE(platform::FileExists(zsnes_ + "/zkivo.bat"));
}

TEST_F(RunRomTest, ArchiveIsResolvedToItsRomFile) {
  WriteTestFile(zsnes_ + "/ZSNES.CFG", "");
  MakeTestDir(app_ + "/zipcache");
  WriteTestFile(app_ + "/zipcache/ZELDA.SMC", "zelda");
  std::string asked;
  RunRomRequest request = Request("Zelda.zip");
  request.getRomFile = [&](const std::string& longPath) {
    asked = longPath;
    return app_ + "/zipcache/ZELDA.SMC";
  };
  ASSERT_TRUE(RunRom(settings_, request));
  EXPECT_EQ(asked, roms_ + "/Zelda.zip");
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args, Concat({app_ + "/zipcache/ZELDA.SMC"}, kDefaultSwitches));
  // The emulator's game folder is the one the user browses, not the cache.
  EXPECT_NE(ReadTestFile(zsnes_ + "/ZSNES.CFG").find("GameDirectory =" + roms_ + "\r\n"), std::string::npos);
}

// The emulator would start without a game; the user is told why instead, and nothing starts.
TEST_F(RunRomTest, WithoutARomFileTheLaunchSaysWhyAndStartsNothing) {
  RunRomRequest request = Request("Empty.zip");
  request.getRomFile = [](const std::string&) { return std::string(); };
  auto message = [&](const RunRomRequest& r) {
    try {
      RunRom(settings_, r);
    } catch (const KivoError& error) {
      return std::string(error.what());
    }
    return std::string("started");
  };
  EXPECT_EQ(message(request), "No ROM image could be unpacked from " + roms_ + "/Empty.zip");
  EXPECT_EQ(message(Request("GONE.SMC")), "Cannot open file " + roms_ + "/GONE.SMC");
  EXPECT_TRUE(ReadFakeLog(zsnes_).starts.empty());
}

TEST_F(RunRomTest, BatchModeWithoutDosCommand) {
  Settings("ShellBat=1\n");
  WriteTestFile(zsnes_ + "/zkivo.bat", "an old batch file that is much longer than the new one\r\n");
  ASSERT_TRUE(StartZsnes(settings_, zsnes_ + "/ZSNES.EXE -a", "ignored while disabled", false));
  EXPECT_EQ(ReadTestFile(zsnes_ + "/zkivo.bat"), "@" + zsnes_ + "/ZSNES.EXE -a");
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args, (Args{"-a"}));
}

// A folder without the emulator, or an emulator the system will not start, is reported; nothing is
// written into the folder first.
TEST_F(RunRomTest, MissingEmulatorIsReportedAndStartsNothing) {
  std::string empty = dir_ / "emu";
  MakeTestDir(empty);
  struct Case {
    std::string ini;
    std::string message;
  };
  const Case cases[] = {
      {"ZSNESPath=" + empty + "\n", "No ZSNES in " + empty + ": neither zsnes nor ZSNES.EXE is there"},
      {"ZSNESPath=" + empty + "\nShellBat=1\n", "No ZSNES in " + empty + ": neither zsnes nor ZSNES.EXE is there"},
      {"", "No ZSNES folder is set (Setup tab), and zsnes is not on PATH"},
  };
  ScopedEnv noZsnesOnPath("PATH", dir_ / "no-programs");
  for (const Case& c : cases) {
    WriteTestFile(app_ + "/kivo.ini", "[General]\n" + c.ini);
    try {
      RunRom(settings_, Request("MARIO.SMC"));
      ADD_FAILURE() << "no error for " << c.ini;
    } catch (const KivoError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
  EXPECT_FALSE(platform::FileExists(empty + "/zkivo.bat"));

  // ZSNES.EXE there, but a script without the right to run.
  WriteTestFile(empty + "/ZSNES.EXE", "#!/bin/sh\n");
  WriteTestFile(app_ + "/kivo.ini", "[General]\nZSNESPath=" + empty + "\n");
  try {
    RunRom(settings_, Request("MARIO.SMC"));
    ADD_FAILURE() << "no error";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()), "ZSNES could not be started: " + empty + "/ZSNES.EXE in " + empty);
  }
}

}  // namespace
