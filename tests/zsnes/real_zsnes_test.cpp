// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The real ZSNES, started through KIVO's launch on a homebrew game the tests write, on a screen of
// their own, with a HOME of their own and sound going nowhere. They show what the fake emulator
// cannot: that the real program accepts every option KIVO gives it, and acts on it.
//
// Without a real ZSNES (scripts/build-zsnes.sh builds one) the program reports itself skipped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <regex>
#include <thread>

#include "app/settings_file.h"
#include "launch/emulator_screenshot.h"
#include "launch/run_rom.h"
#include "platform/files.h"
#include "screenshots/archive_screenshot.h"
#include "support/homebrew_rom.h"
#include "support/processes.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "zsnes/real_zsnes.h"

using namespace kivo::app;
using namespace kivo::launch;
using namespace kivo::screenshots;

namespace {

std::string gZsnes;    // the real emulator
std::string gDisplay;  // the tests' screen

constexpr std::uint16_t kMagenta = 0x7C1F;  // full red and blue, no green
constexpr double kWindowSeconds = 20;
const std::string kGame = "Home Brew.sfc";

struct Sound {
  int channels = 0;
  int rate = 0;
};

class RealZsnesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeTestDir(emu_);
    ASSERT_EQ(::symlink(gZsnes.c_str(), (emu_ + "/zsnes").c_str()), 0);
    for (const std::string& folder : {roms_, save_, media_}) MakeTestDir(folder);
    WriteTestFile(roms_ + "/" + kGame, BuildHomebrewRom(kMagenta));
  }
  void TearDown() override { StopProcesses(gZsnes, home_.Path()); }

  // kivo.ini: the emulator's folder, the save and media folders, and the given lines.
  void Ini(const std::string& general, const std::string& configuration = "") {
    WriteTestFile(app_ / "kivo.ini", "[General]\nZSNESPath=" + emu_ + "\nSavegamePath=" + save_ +
                                         "\nMediaPath=" + media_ + "\n" + general + "[Default]\n" + configuration);
  }

  // Starts the game as a double-click in its folder would, and waits for the emulator's window.
  std::optional<ScreenWindow> Launch() {
    RunRomRequest request;
    request.section = "Default";
    request.workingFolder = roms_;
    request.selectedRomFile = kGame;
    request.shortNameFolder = app_ / "shortnames";
    SettingsFile settings(app_ / "kivo.ini");
    request.extraCommand = settings.ReadString("General", "ExtraCommand", "");
    request.extraCommandEnabled = settings.ReadBool("General", "ShellBat", false);
    {
      // The emulator inherits this output and prints its sound set-up there.
      StdoutToFile capture(app_ / "emulator.txt");
      if (!RunRom(settings, request)) return std::nullopt;
    }
    return WaitForEmulatorWindow(gDisplay, kWindowSeconds);
  }

  // Ends the emulator as a user would (SIGTERM); it then writes its configuration and flushes its
  // output.
  std::string Stop() {
    StopProcesses(gZsnes, home_.Path());
    return ReadTestFile(app_ / "emulator.txt");
  }

  static Sound SoundOf(const std::string& output) {
    std::smatch match;
    Sound sound;
    if (std::regex_search(output, match, std::regex(R"(SDL audio: (\d+) channels, (\d+) Hz)"))) {
      sound = {std::stoi(match[1]), std::stoi(match[2])};
    }
    return sound;
  }

  std::string EmulatorCfg() const { return ReadTestFile(home_ / ".config/zsnes/zsnesl.cfg"); }
  bool CfgHas(const std::string& line) const { return EmulatorCfg().find("\n" + line + "\n") != std::string::npos; }
  bool Running() const { return !ProcessesOf(gZsnes, home_.Path()).empty(); }

  TempDir dir_;
  TempDir home_;
  TempDir app_;
  ScopedEnv home{"HOME", home_.Path()};
  ScopedEnv noXdg{"XDG_CONFIG_HOME", std::nullopt};
  ScopedEnv display{"DISPLAY", gDisplay};
  ScopedEnv quiet{"SDL_AUDIODRIVER", "dummy"};
  std::string emu_ = dir_ / "emulator";
  std::string roms_ = dir_ / "My Games";
  std::string save_ = dir_ / "saves";
  std::string media_ = dir_ / "media";
};

TEST_F(RealZsnesTest, TheGameRunsAndShowsItsColour) {
  Ini("", "NativeVideomode=0\n");
  std::optional<ScreenWindow> window = Launch();
  ASSERT_TRUE(window) << "no emulator window; its output:\n" << Stop();
  std::optional<Rgb> colour;
  for (int tries = 0; tries < 100; ++tries) {
    colour = CentreColour(gDisplay, *window);
    if (colour && colour->r > 200 && colour->g < 60 && colour->b > 200) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ASSERT_TRUE(colour);
  EXPECT_GT(colour->r, 200);
  EXPECT_LT(colour->g, 60);
  EXPECT_GT(colour->b, 200);
  Stop();
  // What the emulator wrote back when it ended: the folders KIVO gave it.
  EXPECT_TRUE(CfgHas("SRAMPath=\"" + save_ + "/\""));
  EXPECT_TRUE(CfgHas("SStatePath=\"" + save_ + "/\""));
  EXPECT_TRUE(CfgHas("ROMPath=\"" + roms_ + "/\""));
}

TEST_F(RealZsnesTest, EachVideoModeGivesItsWindowSize) {
  // Without a window manager the full-screen modes open a window of their size too.
  const std::pair<int, std::pair<int, int>> modes[] = {
      {0, {256, 224}}, {1, {256, 224}}, {2, {512, 448}}, {3, {512, 448}}, {4, {640, 480}}};
  for (const auto& [mode, size] : modes) {
    Ini("", "NativeVideomode=" + std::to_string(mode) + "\n");
    std::optional<ScreenWindow> window = Launch();
    ASSERT_TRUE(window) << "mode " << mode << ":\n" << Stop();
    EXPECT_EQ(window->width, size.first) << "mode " << mode;
    EXPECT_EQ(window->height, size.second) << "mode " << mode;
    Stop();
  }
}

// The emulator keeps several switch values in its own file when it ends; the next launch that turns
// an option off must find it off all the same.
TEST_F(RealZsnesTest, SoundFollowsTheOptionsAndOneLaunchLeavesNothingToTheNext) {
  Ini("Stereo=1\nSampleRate=3\n", "FrameSkip=1\nFrameSkip Value=4\nScanlines=1\nInterpolation=1\n");
  ASSERT_TRUE(Launch());
  Sound sound = SoundOf(Stop());
  EXPECT_EQ(sound.channels, 2);
  EXPECT_EQ(sound.rate, 44100);
  EXPECT_TRUE(CfgHas("frameskip=5"));
  EXPECT_TRUE(CfgHas("scanlines=1"));
  EXPECT_TRUE(CfgHas("antienab=1"));
  EXPECT_TRUE(CfgHas("StereoSound=1"));

  Ini("Stereo=0\nSampleRate=6\n", "FrameSkip=0\nScanlines=0\nInterpolation=0\n");
  ASSERT_TRUE(Launch());
  sound = SoundOf(Stop());
  EXPECT_EQ(sound.channels, 1);
  EXPECT_EQ(sound.rate, 48000);
  EXPECT_TRUE(CfgHas("frameskip=0"));
  EXPECT_TRUE(CfgHas("scanlines=0"));
  EXPECT_TRUE(CfgHas("antienab=0"));
  EXPECT_TRUE(CfgHas("StereoSound=0"));
}

// A snapshot the emulator takes (its key set in the user's own zsnesl.cfg, which KIVO keeps) lands
// in "Savegame" under the emulator's name for it, and Archive screenshot files it under the game's.
TEST_F(RealZsnesTest, ASnapshotIsFiledByArchiveScreenshot) {
  MakeTestDir(home_ / ".config/zsnes");
  WriteTestFile(home_ / ".config/zsnes/zsnesl.cfg", ";the user's keys\nKeyQuickSnapShot=88\nKeyDisableSC7=0\n");
  Ini("", "NativeVideomode=0\n");
  std::optional<ScreenWindow> window = Launch();
  ASSERT_TRUE(window) << Stop();
  std::string snapshot;
  for (int tries = 0; tries < 40 && snapshot.empty(); ++tries) {
    // The emulator may make its window anew (it did on taking the focus): the key goes to the one
    // there now.
    if (std::optional<ScreenWindow> now = WaitForEmulatorWindow(gDisplay, 1)) window = now;
    PressKey(gDisplay, *window, "F12");
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    snapshot = NewestSnapshot(save_, kGame);
  }
  Stop();
  ASSERT_FALSE(snapshot.empty()) << "the emulator took no snapshot";
  EXPECT_TRUE(snapshot == save_ + "/Home Brew_00000.png" || snapshot == save_ + "/Home Brew_00000.bmp") << snapshot;
  EXPECT_TRUE(CfgHas("KeyQuickSnapShot=88"));

  SettingsFile settings(app_ / "kivo.ini");
  EXPECT_EQ(ArchiveEmulatorScreenshot(settings, "Home Brew", kGame, roms_), ArchiveResult::kMoved);
  const std::string filed = media_ + "/Home Brew" + snapshot.substr(snapshot.size() - 4);
  EXPECT_TRUE(kivo::platform::FileExists(filed));
  EXPECT_FALSE(kivo::platform::FileExists(snapshot));
}

// Every option the panel offers for this build, at the ends of its ranges, through batch mode too:
// the emulator takes them all and keeps running (a switch it does not know makes it exit at once).
TEST_F(RealZsnesTest, EveryOptionThePanelEnablesIsTakenWithoutAnErrorExit) {
  struct Case {
    const char* general;
    const char* configuration;
  };
  const Case cases[] = {
      {"Sound=1\nStereo=1\nDisableDSP=1\nDisableMouse=1\nDisableGUI=1\nVolume=0\nSampleRate=6\nHigh Priority=1\n",
       "NTSC=1\nHiROM=1\nScanlines=1\nVSync=1\nInterpolation=1\nNewEngine=1\nFrameSkip=1\nFrameSkip Value=9\n"
       "Gamma=15\nCPUCycles=150\nNativeVideomode=4\n"},
      {"Sound=0\nStereo=0\nDisableGUI=0\nVolume=100\nSampleRate=0\n",
       "PAL=1\nLoROM=1\nGamma=0\nCPUCycles=50\nNativeVideomode=1\n"},
      {"ShellBat=1\nExtraCommand=export KIVO_DRIVER=1; no-such-driver\n", "NativeVideomode=2\n"},
  };
  for (const Case& c : cases) {
    Ini(c.general, c.configuration);
    std::optional<ScreenWindow> window = Launch();
    ASSERT_TRUE(window) << c.general << c.configuration << "\n" << Stop();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_TRUE(Running()) << c.general << c.configuration;
    std::string output = Stop();
    EXPECT_EQ(output.find("must be a value"), std::string::npos) << output;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  gZsnes = FindRealZsnes();
  if (gZsnes.empty()) {
    std::cout << "SKIPPED: no real ZSNES (scripts/build-zsnes.sh builds one; or put zsnes on PATH)\n";
    return 77;
  }
  if (std::string tool = MissingScreenTool(); !tool.empty()) {
    std::cout << "SKIPPED: " << tool << " is missing (scripts/build-zsnes.sh installs it)\n";
    return 77;
  }
  VirtualScreen screen;
  if (!screen.Running()) {
    std::cerr << "cannot start Xvfb\n";
    return 1;
  }
  gDisplay = screen.Display();
  std::cout << "real ZSNES: " << gZsnes << " on display " << gDisplay << '\n';
  return RUN_ALL_TESTS();
}
