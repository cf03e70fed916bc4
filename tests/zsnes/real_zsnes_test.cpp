// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The real ZSNES, started through KIVO's launch on a homebrew game the tests write, on a screen of
// their own, with a HOME of their own and sound going nowhere. They show what the fake emulator
// cannot: that the real program accepts every option KIVO gives it, and acts on it.
//
// Without a real ZSNES (scripts/build-zsnes.sh builds one) the program reports itself skipped.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <thread>

#include "app/settings_file.h"
#include "common/text.h"
#include "launch/emulator_screenshot.h"
#include "launch/run_rom.h"
#include "platform/files.h"
#include "platform/process.h"
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

std::string gZsnes;    // the real emulator, as KIVO starts it (the program, or a script that runs it)
std::string gProgram;  // the program whose processes are the emulator's
std::string gDisplay;  // the tests' screen
bool gUnderQemu;       // the emulator runs through qemu-i386 (a script build-zsnes.sh made, say)

const std::string kGame = "Home Brew.sfc";

// The emulator may run under qemu's user mode, which makes each step several times slower than on
// a processor that runs it: every wait is a deadline that ends as soon as what it waits for is
// there, sized for the slow case.
constexpr double kWindowSeconds = 20;  // from the start to the window (an emulated start takes a few)
constexpr double kShowSeconds = 30;    // for the game's colour, a snapshot, the sound line

// Polls `done` until it holds or `seconds` have passed; whether it holds.
bool Until(const std::function<bool()>& done, double seconds) {
  for (auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
       std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(std::chrono::milliseconds(100))) {
    if (done()) return true;
  }
  return done();
}

class RealZsnesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeTestDir(emu_);
    ASSERT_EQ(::symlink(gZsnes.c_str(), (emu_ + "/zsnes").c_str()), 0);
    for (const std::string& folder : {roms_, save_, media_, home_ / ".config/zsnes"}) MakeTestDir(folder);
    WriteTestFile(roms_ + "/" + kGame, BuildHomebrewRom(0x7C1F));  // magenta: full red and blue
  }
  void TearDown() override { StopProcesses(gProgram, home_.Path()); }

  // Starts the game as a double-click in its folder would (the same launch, with the emulator's
  // output going to a file), kivo.ini naming the emulator's folder, the save and media folders and
  // holding the given lines.
  void Start(const std::string& general, const std::string& configuration) {
    WriteTestFile(app_ / "kivo.ini", "[General]\nZSNESPath=" + emu_ + "\nSavegamePath=" + save_ +
                                         "\nMediaPath=" + media_ + "\n" + general + "[Default]\n" + configuration);
    SettingsFile settings(app_ / "kivo.ini");
    const std::string extraCommand = settings.ReadString("General", "ExtraCommand", "");
    const bool batch = settings.ReadBool("General", "ShellBat", false);
    EmulatorStart start =
        PrepareLaunch(settings, {"Default", roms_, kGame, extraCommand, batch, app_ / "shortnames", {}});
    // The emulator prints its sound set-up on its output. Into a file its output would be held
    // back until it ends; on a terminal (script's) each line arrives as it is printed.
    start.argv = {kivo::platform::FindProgramOnPath("script"), "-qfec", kivo::common::ShellQuoted(start.argv),
                  app_ / "emulator.txt"};
    StartEmulator(start);
  }

  struct Running {
    std::optional<ScreenWindow> window;
    std::optional<Rgb> colour;  // at the window's centre, last seen
  };

  // Starts the game (above) and waits until the emulator runs it: its window, then the game's
  // colour when it shows the game, and the line of its sound set-up when it has sound. Once the
  // game shows, the emulator is in its main loop, where it saves its configuration when asked to
  // end. Under qemu's user mode the emulator now and then crashes on its own while it starts
  // ("qemu: uncaught target signal") or shows no window, which is no fault of the launch: it is
  // then started again, four times at most.
  Running Launch(const std::string& general, const std::string& configuration, bool showsTheGame = true,
                 bool sound = false) {
    Running running;
    for (int attempt = 1;; ++attempt) {
      // The window of an emulator that has just ended can stay on the screen a moment.
      Until([] { return !FindEmulatorWindow(gDisplay); }, kShowSeconds);
      Start(general, configuration);
      running = {};
      Until([&] { return (running.window = FindEmulatorWindow(gDisplay)) || Ended(); }, kWindowSeconds);
      if (running.window && showsTheGame) {
        Until(
            [&] {
              running.colour = CentreColour(gDisplay, *running.window);
              return IsTheGame(running.colour) || Ended();
            },
            kShowSeconds);
      }
      if (running.window && sound) {
        Until([&] { return Output().find("SDL audio: ") != std::string::npos || Ended(); }, kShowSeconds);
      }
      // It makes its window anew as it sets its video mode up: the one of the mode is the last.
      if (running.window) Until([&] { return (running.window = FindEmulatorWindow(gDisplay)) || Ended(); }, kShowSeconds);
      const bool crashed = Ended() && Output().find("qemu: uncaught target signal") != std::string::npos;
      if (attempt == 4 || !gUnderQemu || !(crashed || (!running.window && !Ended()))) return running;
      std::cout << "the emulator " << (crashed ? "crashed" : "showed no window") << " under qemu while starting; "
                << "starting it again\n";
      StopProcesses(gProgram, home_.Path());
    }
  }

  bool Ended() const { return ProcessesOf(gProgram, home_.Path()).empty(); }

  // The game's colour: magenta, full red and blue.
  static bool IsTheGame(const std::optional<Rgb>& colour) {
    return colour && colour->r > 200 && colour->g < 60 && colour->b > 200;
  }

  std::string Output() const { return ReadTestFile(app_ / "emulator.txt"); }

  // Ends the emulator as a user would (SIGTERM); it then writes its configuration and flushes its
  // output, which this gives.
  std::string Stop() {
    StopProcesses(gProgram, home_.Path());
    return Output();
  }

  bool CfgHas(const std::string& line) const {
    return ("\n" + ReadTestFile(home_ / ".config/zsnes/zsnesl.cfg")).find("\n" + line + "\n") != std::string::npos;
  }

  TempDir dir_, home_, app_;
  ScopedEnv home{"HOME", home_.Path()};
  ScopedEnv noXdg{"XDG_CONFIG_HOME", std::nullopt};
  ScopedEnv display{"DISPLAY", gDisplay};
  ScopedEnv quiet{"SDL_AUDIODRIVER", "dummy"};
  std::string emu_ = dir_ / "emulator";
  std::string roms_ = dir_ / "My Games";
  std::string save_ = dir_ / "saves";
  std::string media_ = dir_ / "media";
};

// The game shows its colour. A snapshot the emulator takes (its key set in the user's own zsnesl.cfg,
// which KIVO keeps) lands in "Savegame" under the emulator's name for it, and Archive screenshot
// files it under the game's. The emulator writes back the folders KIVO gave it.
TEST_F(RealZsnesTest, TheGameShowsItsColourAndItsSnapshotIsFiled) {
  WriteTestFile(home_ / ".config/zsnes/zsnesl.cfg", ";the user's keys\nKeyQuickSnapShot=88\nKeyDisableSC7=0\n");
  Running running = Launch("", "NativeVideomode=0\n");
  std::optional<ScreenWindow> window = running.window;
  ASSERT_TRUE(window) << "no emulator window; its output:\n" << Stop();
  EXPECT_EQ(window->width, 256);
  EXPECT_EQ(window->height, 224);
  std::optional<Rgb> colour = running.colour;
  ASSERT_TRUE(colour);
  EXPECT_GT(colour->r, 200);
  EXPECT_LT(colour->g, 60);
  EXPECT_GT(colour->b, 200);
  std::string snapshot;
  Until(
      [&] {
        // The emulator may make its window anew (it did on taking the focus): the key goes to the
        // one there now.
        if (std::optional<ScreenWindow> now = FindEmulatorWindow(gDisplay)) window = now;
        PressKey(gDisplay, *window, "F12");
        // A snapshot is written a frame or more after the key.
        return Until([&] { return !(snapshot = NewestSnapshot(save_, kGame)).empty(); }, 1);
      },
      kShowSeconds);
  Stop();
  EXPECT_TRUE(CfgHas("KeyQuickSnapShot=88"));
  EXPECT_TRUE(CfgHas("SRAMPath=\"" + save_ + "/\""));
  EXPECT_TRUE(CfgHas("SStatePath=\"" + save_ + "/\""));
  EXPECT_TRUE(CfgHas("ROMPath=\"" + roms_ + "/\""));
  ASSERT_FALSE(snapshot.empty()) << "the emulator took no snapshot";
  EXPECT_TRUE(snapshot == save_ + "/Home Brew_00000.png" || snapshot == save_ + "/Home Brew_00000.bmp") << snapshot;
  SettingsFile settings(app_ / "kivo.ini");
  EXPECT_EQ(ArchiveEmulatorScreenshot(settings, "Home Brew", kGame, roms_), ArchiveResult::kMoved);
  EXPECT_TRUE(kivo::platform::FileExists(media_ + "/Home Brew" + snapshot.substr(snapshot.size() - 4)));
  EXPECT_FALSE(kivo::platform::FileExists(snapshot));
}

// Every option the panel offers for this build, at the ends of its ranges, through batch mode too,
// in each windowed video mode: the emulator takes them all and keeps running (a switch it does not
// know makes it exit at once), with the window of the mode, the sound asked for and the values KIVO
// set in its own file. It keeps those values when it ends, so the launch after one that turned an
// option on must find it off all the same.
TEST_F(RealZsnesTest, EveryOptionAndVideoModeIsTakenAndActedOn) {
  struct Case {
    const char* general;
    const char* configuration;
    const char* window;  // its size
    const char* sound;   // as the emulator reports it; none when sound is off
    std::vector<std::string> cfg;
    bool showsTheGame = true;  // not when HiROM is forced on the game, which is LoROM (so this case
                               // checks nothing the emulator writes when it ends)
  };
  const Case cases[] = {
      {"Sound=1\nStereo=1\nSampleRate=3\nDisableDSP=1\nDisableMouse=1\nDisableGUI=1\nVolume=0\nHigh Priority=1\n",
       "NTSC=1\nScanlines=1\nVSync=1\nInterpolation=1\nNewEngine=1\nFrameSkip=1\nFrameSkip Value=9\n"
       "Gamma=15\nCPUCycles=150\nNativeVideomode=4\n",
       "640x480",
       "2 channels, 44100 Hz",
       {"frameskip=10", "scanlines=1", "antienab=1", "StereoSound=1"}},
      {"Stereo=0\nSampleRate=6\n",
       "FrameSkip=0\nScanlines=0\nInterpolation=0\nNativeVideomode=1\n",
       "256x224",
       "1 channels, 48000 Hz",
       {"frameskip=0", "scanlines=0", "antienab=0", "StereoSound=0"}},
      {"ShellBat=1\nExtraCommand=export KIVO_DRIVER=1; no-such-driver\n", "HiROM=1\nNativeVideomode=2\n", "512x448", "", {}, false},
      {"Sound=0\nStereo=0\nDisableGUI=0\nVolume=100\nSampleRate=0\n",
       "PAL=1\nLoROM=1\nGamma=0\nCPUCycles=50\nNativeVideomode=3\n",
       "512x448",
       "",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.general) + c.configuration);
    const Running running = Launch(c.general, c.configuration, c.showsTheGame, *c.sound != '\0');
    ASSERT_TRUE(running.window) << Stop();
    EXPECT_EQ(std::to_string(running.window->width) + "x" + std::to_string(running.window->height), c.window);
    // It reads its switches before it opens its window, so one it refused has ended it by now.
    EXPECT_FALSE(Ended()) << "the emulator has ended";
    if (c.showsTheGame) {
      EXPECT_TRUE(IsTheGame(running.colour)) << "the game is not shown";
    }
    const std::string output = Stop();
    EXPECT_EQ(output.find("must be a value"), std::string::npos) << output;
    if (*c.sound != '\0') {
      EXPECT_NE(output.find(std::string("SDL audio: ") + c.sound), std::string::npos) << output;
    }
    for (const std::string& line : c.cfg) EXPECT_TRUE(CfgHas(line)) << line;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The real emulator: $KIVO_ZSNES, else the one scripts/build-zsnes.sh built, else zsnes on PATH.
  const char* chosen = std::getenv("KIVO_ZSNES");
  gZsnes = chosen != nullptr && *chosen != '\0'           ? chosen
           : kivo::platform::FileExists(KIVO_ZSNES_BUILT) ? KIVO_ZSNES_BUILT
                                                          : kivo::platform::FindProgramOnPath("zsnes");
  // scripts/build-zsnes.sh keeps the program itself beside what starts it.
  gProgram = gZsnes == KIVO_ZSNES_BUILT && kivo::platform::FileExists(KIVO_ZSNES_PROGRAM) ? KIVO_ZSNES_PROGRAM : gZsnes;
  gUnderQemu = kivo::platform::ReadFileStart(gZsnes, 4096).find("qemu-i386") != std::string::npos;
  if (!kivo::platform::FileExists(gZsnes)) {
    std::cout << "SKIPPED: no real ZSNES (scripts/build-zsnes.sh builds one; or put zsnes on PATH)\n";
    return 77;
  }
  for (const char* tool : {"Xvfb", "xwininfo", "import", "xdotool"}) {
    if (kivo::platform::FindProgramOnPath(tool).empty()) {
      std::cout << "SKIPPED: " << tool << " is missing (scripts/build-zsnes.sh installs it)\n";
      return 77;
    }
  }
  const int screen = StartVirtualScreen(gDisplay);
  if (screen == 0) {
    std::cerr << "cannot start Xvfb\n";
    return 1;
  }
  std::cout << "real ZSNES: " << gZsnes << " on display " << gDisplay << '\n';
  const int result = RUN_ALL_TESTS();
  ::kill(screen, SIGTERM);
  return result;
}
