// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Launches that start the fake emulator in the emulator's place: what it is started with, and what is
// written for it first. The command lines themselves are the cases in tests/data/cmdline/.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/settings_file.h"
#include "common/error.h"
#include "launch/run_rom.h"
#include "platform/files.h"
#include "support/fake_zsnes_log.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"

using namespace kivo::app;
using namespace kivo::common;
using namespace kivo::launch;

namespace {

using Args = std::vector<std::string>;

TEST(ZsnesBatchFileTest, TheDosCommandOnlyWhileTheFieldIsEnabled) {
  EXPECT_EQ(ZsnesBatchFile("/z/ZSNES.EXE -a", "LH MOUSE.COM", true), "LH MOUSE.COM\r@/z/ZSNES.EXE -a");
  EXPECT_EQ(ZsnesBatchFile("/z/ZSNES.EXE -a", "LH MOUSE.COM", false), "@/z/ZSNES.EXE -a");
}

class LaunchStartTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeTestDir(roms_); }
  RunRomRequest Request(const std::string& rom) { return {"Default", roms_, rom, "", false, dir_ / "shortnames", {}}; }

  TempDir dir_, home_;
  ScopedEnv home{"HOME", home_.Path()};
  ScopedEnv xdg{"XDG_CONFIG_HOME", std::nullopt};
  std::string emu_ = dir_ / "emu";
  std::string roms_ = dir_ / "roms";
};

// The DOS build gets the archive's file from the cache, while its game folder stays the one browsed.
TEST_F(LaunchStartTest, AnArchiveStartsFromTheCacheWithTheBrowsedFolder) {
  ASSERT_TRUE(InstallFakeZsnes(emu_));
  WriteTestFile(emu_ + "/ZSNES.CFG", "");
  WriteTestFile(dir_ / "ZELDA.SMC", "zelda");
  WriteTestFile(dir_ / "kivo.ini", "[General]\nZSNESPath=" + emu_ + "\n");
  SettingsFile settings(dir_ / "kivo.ini");
  RunRomRequest request = Request("Zelda.zip");
  std::string asked;
  request.getRomFile = [&](const std::string& longPath) { return asked = longPath, dir_ / "ZELDA.SMC"; };
  ASSERT_TRUE(RunRom(settings, request));
  EXPECT_EQ(asked, roms_ + "/Zelda.zip");
  std::vector<FakeStart> starts = WaitForStarts(emu_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args, (Args{dir_ / "ZELDA.SMC", "-a", "-e", "-g", "0", "-k", "75", "-m", "-p", "100", "-r", "2",
                                  "-s", "-v", "3"}));
  EXPECT_NE(ReadTestFile(emu_ + "/ZSNES.CFG").find("GameDirectory =" + roms_ + "\r\n"), std::string::npos);
}

// "High priority" is asked for whichever way the emulator starts: the DOS build directly or through
// its batch file, and the native build.
TEST_F(LaunchStartTest, HighPriorityIsAskedForEveryWayOfStarting) {
  TempDir native;
  ASSERT_TRUE(InstallFakeZsnes(emu_) && InstallFakeZsnes(native.Path(), "zsnes"));
  WriteTestFile(emu_ + "/ZSNES.CFG", "");
  WriteTestFile(roms_ + "/MARIO.SMC", "mario");
  for (const std::string& way :
       {"ZSNESPath=" + emu_, "ZSNESPath=" + emu_ + "\nShellBat=1", "ZSNESPath=" + native.Path()}) {
    for (bool high : {false, true}) {
      WriteTestFile(dir_ / "kivo.ini", "[General]\n" + way + "\nHigh Priority=" + (high ? "1" : "0") + "\n");
      SettingsFile settings(dir_ / "kivo.ini");
      EXPECT_EQ(PrepareLaunch(settings, Request("MARIO.SMC")).highPriority, high) << way;
    }
  }
}

// kivo-tool run starts the native build as the window would and prints what it started. Batch mode
// runs the DOS command in the shell first, where a failing command does not keep the emulator from
// starting; the emulator's own configuration gets KIVO's options.
TEST_F(LaunchStartTest, TheNativeBuildStartsWithItsArgumentsAndConfiguration) {
  ASSERT_TRUE(InstallFakeZsnes(emu_, "zsnes"));
  WriteTestFile(emu_ + "/ZSNES.CFG", "Sound = 1\r\n");  // the DOS build's, none of this build's business
  std::filesystem::copy_file(KIVO_TOOL, dir_ / "kivo-tool");
  WriteTestFile(roms_ + "/Super Game.sfc", "rom");
  WriteTestFile(dir_ / "kivo.ini",
                "[General]\nZSNESPath=" + emu_ +
                    "\nShellBat=1\nExtraCommand=echo \"$0\" > marker.txt; no-such-program\nStereo=1\n"
                    "SavegamePath=/home/me/My \"Saves\"\n[Default]\nFrameSkip=1\nFrameSkip Value=40\nVSync=1\n"
                    "Interpolation=1\n");
  const ToolRun run = RunTool(dir_, dir_ / "kivo-tool", "run 'Super Game.sfc'", roms_);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string switches = " -g 0 -k 75 -n 0 -p 100 -r 2 -s -v 2 ";
  EXPECT_EQ(run.out,
            "/bin/sh -c 'command eval \"$1\"; shift; exec \"$@\"' kivo 'echo \"$0\" > marker.txt; "
            "no-such-program' " +
                emu_ + "/zsnes" + switches + "'" + roms_ + "/Super Game.sfc'\n");
  std::vector<FakeStart> starts = WaitForStarts(emu_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].program, emu_ + "/zsnes");
  EXPECT_EQ(starts[0].args.back(), roms_ + "/Super Game.sfc");
  EXPECT_EQ(starts[0].cwd, emu_);
  EXPECT_EQ(ReadTestFile(emu_ + "/marker.txt"), "kivo\n");
  EXPECT_EQ(ReadTestFile(home_ / ".config/zsnes/zsnesl.cfg"),
            "frameskip=10\nguioff=1\nvsyncon=1\nantienab=1\nnewengen=0\nStereoSound=1\nROMPath=\"" + roms_ +
                "/\"\nSRAMPath=\"/home/me/My \\\"Saves\\\"/\"\nSStatePath=\"/home/me/My \\\"Saves\\\"/\"\n"
                "SnapPath=\"/home/me/My \\\"Saves\\\"/\"\n");
  EXPECT_EQ(ReadTestFile(emu_ + "/ZSNES.CFG"), "Sound = 1\r\n");
  EXPECT_FALSE(kivo::platform::FileExists(emu_ + "/zkivo.bat"));
  EXPECT_FALSE(kivo::platform::DirectoryExists(dir_ / "shortnames"));
}

// A file that cannot be written ends the launch with the error before anything starts, and leaves
// the file as it was: ZSNES.CFG and zkivo.bat of the DOS build, zsnesl.cfg of the native one.
TEST_F(LaunchStartTest, AFileThatCannotBeWrittenStopsTheLaunch) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"ZSNES.EXE", "", "ZSNES.CFG"}, {"ZSNES.EXE", "ShellBat=1\n", "zkivo.bat"}, {"zsnes", "", "zsnesl.cfg"}};
  WriteTestFile(roms_ + "/MARIO.SMC", "mario");
  std::filesystem::create_directories(home_ / ".config/zsnes");
  for (const auto& [program, ini, name] : cases) {
    const std::string emu = emu_ + "-" + name;
    const std::string failing = name == "zsnesl.cfg" ? home_ / ".config/zsnes/zsnesl.cfg" : emu + "/" + name;
    ASSERT_TRUE(InstallFakeZsnes(emu, program));
    WriteTestFile(emu + "/ZSNES.CFG", "old\r\n");
    WriteTestFile(failing, "old\r\n");
    WriteTestFile(dir_ / "kivo.ini", "[General]\nZSNESPath=" + emu + "\n" + ini);
    SettingsFile settings(dir_ / "kivo.ini");
    kivo::platform::SetWriteFaultForTesting([&](const std::string& path) { return path == failing; });
    try {
      RunRom(settings, Request("MARIO.SMC"));
      ADD_FAILURE() << failing << " was not written, yet the launch went on";
    } catch (const KivoError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot create file " + failing);
    }
    kivo::platform::SetWriteFaultForTesting({});
    EXPECT_EQ(ReadTestFile(failing), "old\r\n");
    EXPECT_TRUE(ReadFakeLog(emu).starts.empty()) << failing;
  }
}

}  // namespace
