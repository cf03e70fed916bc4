// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/switches.h"

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "launch/run_rom.h"
#include "support/temp_dir.h"

namespace {

class SwitchesTest : public ::testing::Test {
 protected:
  std::string Switches(const std::string& ini, const std::string& section = "Default") {
    WriteTestFile(iniPath_, ini);
    return BuildSwitches(settings_, section);
  }

  TempDir dir_;
  std::string iniPath_ = dir_ / "kivo.ini";
  SettingsFile settings_{iniPath_};
};

constexpr const char* kDefaults = " -a -e -g 0 -k 75 -m -p 100 -r 2 -s -v 3";

TEST_F(SwitchesTest, WorkedExampleWithEverythingOn) {
  const char* ini =
      "[General]\nZSNESPath=/zsnes/\nForce8bit=1\nDebugger=1\nDisableDSP=1\nEnter=1\nDisableMouse=1\nVolume=25\n"
      "DisableGUI=1\nMemCopy=2\nBuffer=1\nSampleRate=3\nSound=1\nStereo=1\nHigh Priority=1\nShellBat=1\n"
      "[Default]\nColor0=1\nDisableSPCHack=1\nOffBy1LineFix=1\nFrameSkip=1\nFrameSkip Value=2\nScale=1\n"
      "SmallScreen=1\nGamma=3\nHiROM=1\nInterleaved=1\nLoROM=1\nScanlines=1\nCPUCycles=120\nNTSC=1\nPAL=1\n"
      "Videomode=4\nVSync=1\nInterpolation=1\nNewEngine=1\n";
  WriteTestFile(iniPath_, ini);
  EXPECT_EQ(BuildCommandLine(settings_, "Default", "/roms/MARIO.SMC"),
            "/zsnes/ZSNES.EXE /roms/MARIO.SMC -0 -7 -8 -9 -f 2 -c -cc -d -dd -e -g 3 -h -i -j -k 75 -l -m -n -om "
            "-p 120 -q -r 3 -s -t -u -v 4 -w -y -z");
}

TEST_F(SwitchesTest, ValueRules) {
  struct Case {
    const char* ini;
    const char* expected;
  };
  const Case cases[] = {
      // Frame skip on with value 0 still skips a fixed number of frames.
      {"[Default]\nFrameSkip=1\nFrameSkip Value=0\n", " -f 0 -e -g 0 -k 75 -m -p 100 -r 2 -s -v 3"},
      // "FrameSkip" is read as a number: any non-zero value is on.
      {"[Default]\nFrameSkip=7\nFrameSkip Value=9\n", " -f 9 -e -g 0 -k 75 -m -p 100 -r 2 -s -v 3"},
      {"[Default]\nFrameSkip=0\nFrameSkip Value=5\n", kDefaults},
      {"[General]\nVolume=0\n", " -a -e -g 0 -k 100 -m -p 100 -r 2 -s -v 3"},
      {"[General]\nVolume=100\n", " -a -e -g 0 -k 0 -m -p 100 -r 2 -s -v 3"},
      // Hand-edited values pass through without range checks.
      {"[General]\nVolume=120\n[Default]\nGamma=9\n", " -a -e -g 9 -k -20 -m -p 100 -r 2 -s -v 3"},
      {"[General]\nVolume=-2147483648\n", " -a -e -g 0 -k 2147483748 -m -p 100 -r 2 -s -v 3"},
      {"[General]\nMemCopy=0\n", kDefaults},
      {"[General]\nMemCopy=1\n", " -a -e -g 0 -k 75 -m -o -p 100 -r 2 -s -v 3"},
      {"[General]\nMemCopy=2\n", " -a -e -g 0 -k 75 -m -om -p 100 -r 2 -s -v 3"},
      {"[General]\nMemCopy=3\n", kDefaults},
      {"[General]\nEnter=0\nDisableGUI=0\nSound=0\n", " -a -g 0 -k 75 -p 100 -r 2 -v 3"},
      // A boolean holding 2 is on; a word reads as the default of the key.
      {"[General]\nDebugger=2\n", " -a -d -e -g 0 -k 75 -m -p 100 -r 2 -s -v 3"},
      {"[General]\nDebugger=true\nSound=true\n", kDefaults},
      {"[Default]\nCPUCycles=0x64\nVideomode=$7\n", " -a -e -g 0 -k 75 -m -p 100 -r 2 -s -v 7"},
      {"[Default]\nScale=1\nSmallScreen=1\n", " -a -c -cc -e -g 0 -k 75 -m -p 100 -r 2 -s -v 3"},
      {"[General]\nSampleRate=5\n[Default]\nCPUCycles=50\n", " -a -e -g 0 -k 75 -m -p 50 -r 5 -s -v 3"},
      // Global options are read from "General" only, never from the configuration.
      {"[Default]\nStereo=1\nSound=0\nVolume=0\n", kDefaults},
      // Per-game options are read from the configuration only, never from "General".
      {"[General]\nScanlines=1\nNTSC=1\nGamma=4\n", kDefaults},
  };
  for (const Case& c : cases) EXPECT_EQ(Switches(c.ini), c.expected) << c.ini;
}

TEST_F(SwitchesTest, PerGameOptionsFollowTheConfigurationInForce) {
  const char* ini = "[Default]\nScanlines=0\nGamma=1\n[Zelda]\nScanlines=1\nVSync=1\n";
  EXPECT_EQ(Switches(ini, "Zelda"), " -a -e -g 0 -k 75 -m -n -p 100 -r 2 -s -v 3 -w");
  EXPECT_EQ(Switches(ini, "ZELDA"), " -a -e -g 0 -k 75 -m -n -p 100 -r 2 -s -v 3 -w");
  EXPECT_EQ(Switches(ini, "Default"), " -a -e -g 1 -k 75 -m -p 100 -r 2 -s -v 3");
  // A folder selection leaves the empty configuration in force: everything per game at its default.
  EXPECT_EQ(Switches(ini, ""), kDefaults);
}

TEST_F(SwitchesTest, CommandLineKeepsAnEmptyRomPathAndTrimsTheShortPath) {
  WriteTestFile(iniPath_, "[General]\nZSNESPath=/opt/zsnes\n");
  EXPECT_EQ(BuildCommandLine(settings_, "Default", ""), std::string("/opt/zsnes/ZSNES.EXE ") + kDefaults);
  EXPECT_EQ(BuildCommandLine(settings_, "Default", std::string("  /r/A.SMC\t\0\0", 14)),
            std::string("/opt/zsnes/ZSNES.EXE /r/A.SMC") + kDefaults);
  WriteTestFile(iniPath_, "");
  EXPECT_EQ(BuildCommandLine(settings_, "Default", "/r/A.SMC"), std::string("ZSNES.EXE /r/A.SMC") + kDefaults);
}

}  // namespace
