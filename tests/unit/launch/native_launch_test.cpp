// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Which build the ZSNES folder holds, and a launch of the native build with the fake emulator in its
// place: the argument list, the working folder, zsnesl.cfg and batch mode.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/settings_file.h"
#include "launch/emulator_profile.h"
#include "launch/run_rom.h"
#include "platform/files.h"
#include "support/fake_zsnes_log.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

using Args = std::vector<std::string>;

const Args kDefaultSwitches = {"-g", "0", "-k", "75", "-n", "0", "-p", "100", "-r", "2", "-s", "-v", "2"};

TEST(EmulatorProfileTest, TheFolderDecidesTheBuild) {
  TempDir dir;
  const std::string folder = dir / "emu";
  MakeTestDir(folder);
  EXPECT_EQ(FindEmulatorProfile(folder).build, EmulatorBuild::Dos);  // neither: the specified launch

  WriteTestFile(folder + "/zsnes", "");
  EmulatorProfile native = FindEmulatorProfile(folder);
  EXPECT_EQ(native.build, EmulatorBuild::Native);
  EXPECT_EQ(native.program, folder + "/zsnes");
  EXPECT_EQ(FindEmulatorProfile(folder + "/").program, folder + "/zsnes");

  // ZSNES.EXE keeps the DOS build's launch, also beside a zsnes.
  WriteTestFile(folder + "/ZSNES.EXE", "");
  EXPECT_EQ(FindEmulatorProfile(folder).build, EmulatorBuild::Dos);
  // A folder named zsnes is not the program.
  MakeTestDir(dir / "other/zsnes");
  EXPECT_EQ(FindEmulatorProfile(dir / "other").build, EmulatorBuild::Dos);
}

TEST(EmulatorProfileTest, AnEmptyFolderFieldFindsZsnesOnPath) {
  TempDir dir;
  const std::string bin = dir / "bin";
  MakeTestDir(bin);
  ScopedEnv path("PATH", dir / "nothing:" + bin);
  EXPECT_EQ(FindEmulatorProfile("").build, EmulatorBuild::Dos);
  // Found only as an executable program.
  WriteTestFile(bin + "/zsnes", "#!/bin/sh\n");
  EXPECT_EQ(FindEmulatorProfile("").build, EmulatorBuild::Dos);
  ASSERT_TRUE(std::filesystem::exists(bin + "/zsnes"));
  std::filesystem::permissions(bin + "/zsnes", std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
  EmulatorProfile profile = FindEmulatorProfile("");
  EXPECT_EQ(profile.build, EmulatorBuild::Native);
  EXPECT_EQ(profile.program, bin + "/zsnes");
}

TEST(PanelProfileTest, TheNativeBuildLacksTheDosOnlyOptions) {
  const PanelProfile& dos = PanelProfileOf(EmulatorBuild::Dos);
  const PanelProfile& native = PanelProfileOf(EmulatorBuild::Native);
  for (const OptionDecl* option : LoadOrder()) EXPECT_TRUE(dos.Has(*option)) << option->key;
  for (const OptionDecl* option : {&option::Color0, &option::Enter, &option::MemCopy, &option::Buffer}) {
    EXPECT_FALSE(native.Has(*option)) << option->key;
  }
  for (const OptionDecl* option : {&option::Stereo, &option::Scanlines, &option::NativeVideomode, &option::VSync}) {
    EXPECT_TRUE(native.Has(*option)) << option->key;
  }
  EXPECT_EQ(dos.videoMode, &option::Videomode);
  EXPECT_EQ(native.videoMode, &option::NativeVideomode);
  EXPECT_EQ(std::string(native.sampleRates.back()), "48000Hz");
}

class NativeRunRomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EXPECT_TRUE(InstallFakeZsnes(zsnes_, "zsnes"));
    MakeTestDir(roms_);
    WriteTestFile(roms_ + "/Super Game.sfc", "rom");
    Ini("");
  }
  void Ini(const std::string& general) {
    WriteTestFile(dir_ / "kivo.ini", "[General]\nZSNESPath=" + zsnes_ + "\n" + general);
  }
  RunRomRequest Request(const std::string& rom) {
    RunRomRequest request;
    request.section = "Default";
    request.workingFolder = roms_;
    request.selectedRomFile = rom;
    request.shortNameFolder = dir_ / "shortnames";
    return request;
  }
  std::string Cfg() const { return ReadTestFile(home_ / ".config/zsnes/zsnesl.cfg"); }

  TempDir dir_;
  TempDir home_;
  ScopedEnv home{"HOME", home_.Path()};
  ScopedEnv xdg{"XDG_CONFIG_HOME", std::nullopt};
  std::string zsnes_ = dir_ / "zsnes";
  std::string roms_ = dir_ / "roms";
  SettingsFile settings_{dir_ / "kivo.ini"};
};

TEST_F(NativeRunRomTest, SwitchesFirstAndTheRomLastAsOneArgument) {
  ASSERT_TRUE(RunRom(settings_, Request("Super Game.sfc")));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  Args expected = kDefaultSwitches;
  expected.push_back(roms_ + "/Super Game.sfc");  // no alias: an argument list needs none
  EXPECT_EQ(starts[0].program, zsnes_ + "/zsnes");
  EXPECT_EQ(starts[0].args, expected);
  EXPECT_EQ(starts[0].cwd, zsnes_);
  EXPECT_FALSE(platform::DirectoryExists(dir_ / "shortnames"));
  // Its own configuration, made for it, not the DOS build's file.
  EXPECT_EQ(Cfg(), "frameskip=0\nguioff=1\nvsyncon=0\nantienab=0\nnewengen=0\nStereoSound=0\nROMPath=\"" + roms_ +
                       "/\"\nSRAMPath=\"\"\nSStatePath=\"\"\nSnapPath=\"\"\n");
  EXPECT_FALSE(platform::FileExists(zsnes_ + "/ZSNES.CFG"));
}

TEST_F(NativeRunRomTest, BatchModeRunsTheDosCommandInTheShellFirst) {
  // The command's export reaches the emulator; a command that fails does not keep it from starting.
  Ini("ShellBat=1\nHigh Priority=1\n");
  RunRomRequest request = Request("Super Game.sfc");
  request.extraCommand = "export KIVO_MARK=1; echo \"$KIVO_MARK\" > marker.txt; no-such-program";
  request.extraCommandEnabled = true;
  ASSERT_TRUE(RunRom(settings_, request));
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(ReadTestFile(zsnes_ + "/marker.txt"), "1\n");
  EXPECT_EQ(starts[0].program, zsnes_ + "/zsnes");
  EXPECT_EQ(starts[0].args.back(), roms_ + "/Super Game.sfc");
  EXPECT_FALSE(platform::FileExists(zsnes_ + "/zkivo.bat"));
}

TEST_F(NativeRunRomTest, AConfigurationThatCannotBeWrittenStopsTheLaunch) {
  MakeTestDir(home_ / ".config/zsnes");
  platform::SetWriteFaultForTesting([](const std::string& path) { return path.ends_with("zsnesl.cfg"); });
  EXPECT_THROW(RunRom(settings_, Request("Super Game.sfc")), std::exception);
  platform::SetWriteFaultForTesting({});
  EXPECT_TRUE(ReadFakeLog(zsnes_).starts.empty());
}

}  // namespace
