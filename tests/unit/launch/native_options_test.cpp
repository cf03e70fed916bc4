// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The native build's switches and zsnesl.cfg settings: what each option becomes, the build's ranges,
// and the options it lacks never passed.
#include "launch/native_options.h"

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "support/temp_dir.h"

namespace {

using Words = std::vector<std::string>;

class NativeOptionsTest : public ::testing::Test {
 protected:
  void Ini(const std::string& text) { WriteTestFile(ini_, text); }
  Words Switches(const std::string& section = "Default") { return BuildNativeSwitches(settings_, section); }
  std::string Cfg(const std::string& key, const std::string& romFolder = "/roms") {
    for (const NativeCfgSetting& setting : NativeCfgSettings(settings_, "Default", romFolder)) {
      if (setting.key == key) return setting.value;
    }
    return "<none>";
  }

  TempDir dir_;
  std::string ini_ = dir_ / "kivo.ini";
  SettingsFile settings_{ini_};
};

TEST_F(NativeOptionsTest, DefaultsGiveTheNumbersEveryLaunchSetsAndSoundOn) {
  Ini("");
  EXPECT_EQ(Switches(), (Words{"-g", "0", "-k", "75", "-n", "0", "-p", "100", "-r", "2", "-s", "-v", "2"}));
}

TEST_F(NativeOptionsTest, EveryOptionTheBuildHasReachesItsSwitchAndTheOthersNever) {
  // Every boolean on, the DOS build's own options included: those must not appear.
  Ini("[General]\nDisableDSP=1\nDisableMouse=1\nSound=1\nForce8bit=1\nBuffer=1\nEnter=1\nDebugger=1\nMemCopy=2\n"
      "Volume=10\nSampleRate=6\n"
      "[Default]\nHiROM=1\nLoROM=1\nScanlines=1\nNTSC=1\nPAL=1\nGamma=12\nCPUCycles=120\nNativeVideomode=4\n"
      "Videomode=7\nColor0=1\nDisableSPCHack=1\nOffBy1LineFix=1\nScale=1\nSmallScreen=1\nInterleaved=1\n");
  EXPECT_EQ(Switches(), (Words{"-dd", "-g", "12", "-h", "-j", "-k", "90", "-l", "-n", "1", "-p", "120", "-r", "6", "-s",
                               "-t", "-u", "-v", "4"}));
  // Sound off has a switch of its own: the build stores what -s and -ds set.
  Ini("[General]\nSound=0\n");
  EXPECT_EQ(Switches()[10], "-ds");
}

TEST_F(NativeOptionsTest, NumbersStayInsideTheBuildsRanges) {
  // The build refuses to start on a number outside its range, so a hand-edited file must not stop it.
  struct Case {
    const char* ini;
    Words expected;
  };
  const Case cases[] = {
      {"[Default]\nGamma=40\nCPUCycles=10\n[General]\nVolume=-30\n",
       {"-g", "15", "-k", "100", "-n", "0", "-p", "50", "-r", "2", "-s", "-v", "2"}},
      {"[Default]\nGamma=-2\nCPUCycles=900\n[General]\nVolume=250\nSampleRate=-1\n",
       {"-g", "0", "-k", "0", "-n", "0", "-p", "150", "-r", "2", "-s", "-v", "2"}},
      // A typed sample rate (-1) or a mode this build lacks gives the build's default.
      {"[Default]\nNativeVideomode=9\n[General]\nSampleRate=7\n",
       {"-g", "0", "-k", "75", "-n", "0", "-p", "100", "-r", "2", "-s", "-v", "2"}},
  };
  for (const Case& c : cases) {
    Ini(c.ini);
    EXPECT_EQ(Switches(), c.expected) << c.ini;
  }
}

TEST_F(NativeOptionsTest, PerGameOptionsFollowTheConfigurationInForce) {
  Ini("[Default]\nScanlines=0\nNativeVideomode=0\n[Zelda]\nScanlines=1\nNativeVideomode=3\n");
  EXPECT_EQ(Switches("Zelda"), (Words{"-g", "0", "-k", "75", "-n", "1", "-p", "100", "-r", "2", "-s", "-v", "3"}));
  EXPECT_EQ(Switches("Default"), (Words{"-g", "0", "-k", "75", "-n", "0", "-p", "100", "-r", "2", "-s", "-v", "0"}));
}

TEST_F(NativeOptionsTest, ConfigurationKeysSetBothWays) {
  Ini("");
  const std::vector<NativeCfgSetting> defaults = {
      {"frameskip", "0"},     {"guioff", "1"},      {"vsyncon", "0"},          {"antienab", "0"},
      {"newengen", "0"},      {"StereoSound", "0"}, {"ROMPath", "\"/roms/\""}, {"SRAMPath", "\"\""},
      {"SStatePath", "\"\""}, {"SnapPath", "\"\""},
  };
  EXPECT_EQ(NativeCfgSettings(settings_, "Default", "/roms"), defaults);

  // Frame skip on gives the number of frames plus one (0 is automatic); the value stays in 0..9.
  Ini("[Default]\nFrameSkip=1\nFrameSkip Value=3\nVSync=1\nInterpolation=1\nNewEngine=1\n"
      "[General]\nDisableGUI=0\nStereo=1\nSavegamePath=/home/me/My \"Saves\"\n");
  EXPECT_EQ(Cfg("frameskip"), "4");
  EXPECT_EQ(Cfg("guioff"), "0");
  EXPECT_EQ(Cfg("vsyncon"), "1");
  EXPECT_EQ(Cfg("antienab"), "1");
  EXPECT_EQ(Cfg("newengen"), "1");
  EXPECT_EQ(Cfg("StereoSound"), "1");
  // Saves, save states and snapshots all go to "Savegame", quoted as the emulator writes strings.
  for (const char* key : {"SRAMPath", "SStatePath", "SnapPath"}) EXPECT_EQ(Cfg(key), "\"/home/me/My \\\"Saves\\\"/\"");
  Ini("[Default]\nFrameSkip=1\nFrameSkip Value=40\n");
  EXPECT_EQ(Cfg("frameskip"), "10");
}

}  // namespace
