// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The DOS build of ZSNES through the real DOSBox, run headless, with a DOS stand-in for the emulator
// that writes down what DOS gave it. The drives and command lines of other launches are shown by the
// cases in tests/data/cmdline/.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "launch/run_rom.h"
#include "platform/files.h"
#include "platform/process.h"
#include "support/dos_standin.h"
#include "support/processes.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/zip_cache.h"

namespace {

// In batch mode, with a save folder and a name DOS cannot open: the DOS command runs first, then the
// stand-in, which gets its command line, opens the ROM by its DOS path through the alias, and reads
// ZSNES.CFG with the two folders as DOS sees them. DOSBox runs on KIVO's configuration, the user's
// own left as it was. A zipped game runs from the cache, whose folder is then D:.
TEST(DosBoxTest, TheDosProgramGetsItsCommandLineTheRomAndItsConfig) {
  const std::string dosbox = kivo::platform::FindProgramOnPath("dosbox");
  if (dosbox.empty()) GTEST_SKIP() << "no dosbox (scripts/install-deps.sh installs it)";
  TempDir dir, home;
  ScopedEnv setHome("HOME", home.Path()), video("SDL_VIDEODRIVER", "dummy"), audio("SDL_AUDIODRIVER", "dummy");
  const std::string emu = dir / "emu", roms = dir / "roms";
  for (const std::string& folder : {emu, roms, dir / "save", home / ".dosbox"}) MakeTestDir(folder);
  WriteTestFile(emu + "/ZSNES.EXE", DosStandInProgram());
  WriteTestFile(emu + "/ZSNES.CFG", "Sound = 1\r\nGameDirectory = C:\\OLD\r\n");
  WriteTestFile(roms + "/Super Caf\xE9 World (E).smc", "SNES ROM BYTES..and the rest");
  WriteZip(roms + "/Zipped Game.zip",
           {ZipFile("readme.txt", "read me"), ZipFile("ZIPPED.SMC", "SNES ROM BYTES..", true)});
  WriteTestFile(home / ".dosbox/dosbox-0.74-3.conf", "[cpu]\ncycles=3000\n");
  WriteTestFile(dir / "kivo.ini", "[General]\nZSNESPath=" + emu + "\nSavegamePath=" + (dir / "save") +
                                      "\nShellBat=1\n[Default]\nScanlines=1\n");
  kivo::app::SettingsFile settings(dir / "kivo.ini");
  kivo::zipcache::TZipCache cache(dir / "zipcache", 8);
  auto run = [&](const std::string& rom) {
    kivo::launch::RunRomRequest request{
        "Default", roms, rom, "echo driver>C:\\MARK.TXT", true, dir / "shortnames", [&cache](const std::string& path) {
          return cache.GetRomFile(path);
        }};
    kivo::platform::DeleteFile(emu + "/KIVOOUT.TXT");
    EXPECT_EQ(kivo::launch::RunRom(settings, request), "");
    EXPECT_TRUE(WaitForProcessesToEnd(dosbox, home.Path(), 30)) << "DOSBox did not end";
    StopProcesses(dosbox, home.Path());
    return ReadTestFile(emu + "/KIVOOUT.TXT");
  };

  const std::string switches = " -a -e -g 0 -k 75 -m -n -p 100 -r 2 -s -v 3";
  const std::string cfg =
      "Sound = 1\r\nGameDirectory =D:\\\r\nFrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\n"
      "Scanlines =1\r\nVSync =0\r\nSaveDirectory =E:\\\r\n";
  EXPECT_EQ(run("Super Caf\xE9 World (E).smc"),
            "TAIL: D:\\SUPERC~1.SMC" + switches + "|ROM:SNES ROM BYTES..|CFG:" + cfg);
  EXPECT_EQ(ReadTestFile(emu + "/ZSNES.CFG"), cfg);
  EXPECT_EQ(ReadTestFile(emu + "/zkivo.bat"), "echo driver>C:\\MARK.TXT\r@C:\\ZSNES.EXE D:\\SUPERC~1.SMC" + switches);
  EXPECT_EQ(ReadTestFile(emu + "/MARK.TXT"), "driver\r\n");
  EXPECT_EQ(ReadTestFile(home / ".dosbox/dosbox-0.74-3.conf"), "[cpu]\ncycles=3000\n");
  EXPECT_EQ(run("Zipped Game.zip"), "TAIL: D:\\ZIPPED.SMC" + switches + "|ROM:SNES ROM BYTES..|CFG:" + cfg);
}

}  // namespace
