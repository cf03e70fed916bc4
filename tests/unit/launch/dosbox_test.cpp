// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The DOS build of ZSNES through the real DOSBox, run headless, with a DOS stand-in for the emulator
// that writes down what DOS gave it. The drives and command lines of other launches are shown by the
// cases in tests/data/cmdline/.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "launch/dosbox_launch.h"
#include "launch/run_rom.h"
#include "platform/files.h"
#include "platform/process.h"
#include "support/dos_standin.h"
#include "support/processes.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/zip_cache.h"

using namespace kivo::app;
using namespace kivo::launch;
using namespace kivo::platform;
using namespace kivo::zipcache;

namespace {

TEST(DosFileNameTest, EightDotThreeOnly) {
  for (const char* name : {"GAME.SMC", "mario.smc", "A", "ZELDA~1.FIG", "X_1-2.1"}) {
    EXPECT_TRUE(IsDosFileName(name)) << name;
  }
  for (const char* name :
       {"Super Mario.smc", "LONGNAME9.SMC", "GAME.SMCX", "A.B.C", ".SMC", "GAME.", "Caf\xE9.smc", "100%.smc"}) {
    EXPECT_FALSE(IsDosFileName(name)) << name;
  }
}

// In batch mode, with a save folder and a name DOS cannot open: the DOS command runs first, then the
// stand-in, which gets its command line, opens the ROM by its DOS path through the alias, and reads
// ZSNES.CFG with the two folders as DOS sees them. DOSBox runs on KIVO's configuration, the user's
// own left as it was.
TEST(DosBoxTest, TheDosProgramGetsItsCommandLineTheRomAndItsConfig) {
  const std::string dosbox = kivo::platform::FindProgramOnPath("dosbox");
  if (dosbox.empty()) GTEST_SKIP() << "no dosbox (scripts/install-deps.sh installs it)";
  TempDir dir, home;
  ScopedEnv setHome("HOME", home.Path()), video("SDL_VIDEODRIVER", "dummy"), audio("SDL_AUDIODRIVER", "dummy");
  const std::string emu = dir / "emu", roms = dir / "roms", rom = "Super Caf\xE9 World (E).smc";
  for (const std::string& folder : {emu, roms, dir / "save", home / ".dosbox"}) MakeTestDir(folder);
  WriteTestFile(emu + "/ZSNES.EXE", DosStandInProgram());
  WriteTestFile(emu + "/ZSNES.CFG", "Sound = 1\r\nGameDirectory = C:\\OLD\r\n");
  WriteTestFile(roms + "/" + rom, "SNES ROM BYTES..and the rest");
  WriteTestFile(home / ".dosbox/dosbox-0.74-3.conf", "[cpu]\ncycles=3000\n");
  WriteTestFile(dir / "kivo.ini", "[General]\nZSNESPath=" + emu + "\nSavegamePath=" + (dir / "save") +
                                      "\nShellBat=1\n[Default]\nScanlines=1\n");
  SettingsFile settings(dir / "kivo.ini");
  RunRomRequest request{"Default", roms, rom, "echo driver>C:\\MARK.TXT", true, dir / "shortnames", {}};

  ASSERT_TRUE(RunRom(settings, request));
  const bool ended = WaitForProcessesToEnd(dosbox, home.Path(), 30);
  if (!ended) StopProcesses(dosbox, home.Path());
  ASSERT_TRUE(ended) << "DOSBox did not end";
  const std::string cfg =
      "Sound = 1\r\nGameDirectory =D:\\\r\nFrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\n"
      "Scanlines =1\r\nVSync =0\r\nSaveDirectory =E:\\\r\n";
  EXPECT_EQ(ReadTestFile(emu + "/KIVOOUT.TXT"),
            "TAIL: D:\\SUPERC~1.SMC -a -e -g 0 -k 75 -m -n -p 100 -r 2 -s -v 3|ROM:SNES ROM BYTES..|CFG:" + cfg);
  EXPECT_EQ(ReadTestFile(emu + "/ZSNES.CFG"), cfg);
  EXPECT_EQ(ReadTestFile(emu + "/zkivo.bat"),
            "echo driver>C:\\MARK.TXT\r@C:\\ZSNES.EXE D:\\SUPERC~1.SMC -a -e -g 0 -k 75 -m -n -p 100 -r 2 -s -v 3");
  EXPECT_EQ(ReadTestFile(emu + "/MARK.TXT"), "driver\r\n");
  EXPECT_EQ(ReadTestFile(home / ".dosbox/dosbox-0.74-3.conf"), "[cpu]\ncycles=3000\n");

  // A zipped game runs from the cache, whose folder is then D:.
  WriteZip(roms + "/Zipped Game.zip",
           {ZipFile("readme.txt", "read me"), ZipFile("ZIPPED.SMC", "SNES ROM BYTES..", true)});
  TZipCache cache(dir / "zipcache", 8);
  request.selectedRomFile = "Zipped Game.zip";
  request.getRomFile = [&cache](const std::string& path) { return cache.GetRomFile(path); };
  DeleteFile(emu + "/KIVOOUT.TXT");
  ASSERT_TRUE(RunRom(settings, request));
  const bool zippedEnded = WaitForProcessesToEnd(dosbox, home.Path(), 30);
  if (!zippedEnded) StopProcesses(dosbox, home.Path());
  ASSERT_TRUE(zippedEnded) << "DOSBox did not end";
  EXPECT_TRUE(ReadTestFile(emu + "/KIVOOUT.TXT")
                  .starts_with("TAIL: D:\\ZIPPED.SMC -a -e -g 0 -k 75 -m -n -p 100 -r 2 -s -v 3|ROM:SNES ROM BYTES..|"))
      << ReadTestFile(emu + "/KIVOOUT.TXT");
}

}  // namespace
