// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The DOS build of ZSNES through the real DOSBox, run headless, with a DOS stand-in for the emulator
// that writes down what DOS gave it: the command tail with the ROM's DOS path, the ROM's first bytes
// read by that path, and ZSNES.CFG as KIVO rewrote it.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "common/error.h"
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

namespace {

const std::string kDefaultSwitches = " -a -e -g 0 -k 75 -m -p 100 -r 2 -s -v 3";
const std::string kRomBytes = "SNES ROM BYTES..";  // the 16 the stand-in reads back

TEST(DosFileNameTest, EightDotThreeOnly) {
  for (const char* name : {"GAME.SMC", "mario.smc", "A", "ZELDA~1.FIG", "X_1-2.1"}) {
    EXPECT_TRUE(IsDosFileName(name)) << name;
  }
  for (const char* name :
       {"Super Mario.smc", "LONGNAME9.SMC", "GAME.SMCX", "A.B.C", ".SMC", "GAME.", "Caf\xE9.smc", "100%.smc"}) {
    EXPECT_FALSE(IsDosFileName(name)) << name;
  }
}

class DosBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dosbox_ = platform::FindProgramOnPath("dosbox");
    if (dosbox_.empty()) GTEST_SKIP() << "no dosbox (scripts/install-deps.sh installs it)";
    MakeTestDir(emu_);
    MakeTestDir(roms_);
    MakeTestDir(save_);
    WriteTestFile(emu_ + "/ZSNES.EXE", DosStandInProgram());
    WriteTestFile(emu_ + "/ZSNES.CFG", "Sound = 1\r\nGameDirectory = C:\\OLD\r\n");
    Ini("");
  }
  void TearDown() override {
    if (!dosbox_.empty()) StopProcesses(dosbox_, home_.Path());
  }

  void Ini(const std::string& general) {
    WriteTestFile(dir_ / "kivo.ini", "[General]\nZSNESPath=" + emu_ + "\nSavegamePath=" + save_ + "\n" + general);
  }
  RunRomRequest Request(const std::string& file) {
    RunRomRequest request;
    request.section = "Default";
    request.workingFolder = roms_;
    request.selectedRomFile = file;
    request.shortNameFolder = dir_ / "shortnames";
    SettingsFile settings(dir_ / "kivo.ini");
    request.extraCommand = settings.ReadString("General", "ExtraCommand", "");
    request.extraCommandEnabled = settings.ReadBool("General", "ShellBat", false);
    return request;
  }
  // Launches as the window does and waits for DOSBox to end; what the stand-in wrote.
  std::string Run(const RunRomRequest& request) {
    platform::DeleteFile(emu_ + "/KIVOOUT.TXT");
    SettingsFile settings(dir_ / "kivo.ini");
    EXPECT_TRUE(RunRom(settings, request));
    EXPECT_TRUE(WaitForProcessesToEnd(dosbox_, home_.Path(), 30)) << "DOSBox did not end";
    std::string out;
    platform::ReadWholeFile(emu_ + "/KIVOOUT.TXT", out, size_t{1} << 20);
    return out;
  }
  static std::string Part(const std::string& out, const std::string& tag, const std::string& next) {
    size_t at = out.find(tag);
    if (at == std::string::npos) return "<no " + tag + ">";
    at += tag.size();
    return out.substr(at, next.empty() ? std::string::npos : out.find(next, at) - at);
  }

  std::string dosbox_;
  TempDir dir_;
  TempDir home_;
  ScopedEnv home{"HOME", home_.Path()};
  ScopedEnv video{"SDL_VIDEODRIVER", "dummy"};
  ScopedEnv audio{"SDL_AUDIODRIVER", "dummy"};
  std::string emu_ = dir_ / "emu";
  std::string roms_ = dir_ / "roms";
  std::string save_ = dir_ / "save";
};

TEST_F(DosBoxTest, TheDosProgramGetsItsCommandLineTheRomByItsDosPathAndItsConfig) {
  WriteTestFile(roms_ + "/GAME.SMC", kRomBytes + "rest of the image");
  MakeTestDir(home_ / ".dosbox");
  const std::string usersOwn = "[cpu]\ncycles=3000\n";
  WriteTestFile(home_ / ".dosbox/dosbox-0.74-3.conf", usersOwn);
  const std::string out = Run(Request("GAME.SMC"));
  // DOSBox ran on KIVO's configuration; the user's own is as it was.
  EXPECT_EQ(ReadTestFile(home_ / ".dosbox/dosbox-0.74-3.conf"), usersOwn);
  EXPECT_TRUE(platform::FileExists(emu_ + "/kivo-dosbox.conf"));
  EXPECT_EQ(Part(out, "TAIL:", "|ROM:"), " D:\\GAME.SMC" + kDefaultSwitches);
  EXPECT_EQ(Part(out, "|ROM:", "|CFG:"), kRomBytes);
  // The eight lines as specified, the two folders as DOS sees them.
  EXPECT_EQ(Part(out, "|CFG:", ""),
            "Sound = 1\r\nGameDirectory =D:\\\r\nFrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\n"
            "CopyMethod = 0\r\nScanlines =0\r\nVSync =0\r\nSaveDirectory =E:\\\r\n");
  EXPECT_EQ(ReadTestFile(emu_ + "/ZSNES.CFG"), Part(out, "|CFG:", ""));
}

// A name DOS cannot open, here with blanks and bytes beyond ASCII, reaches it as KIVO's 8.3 alias.
TEST_F(DosBoxTest, ANameDosCannotOpenGoesThroughItsAlias) {
  WriteTestFile(roms_ + "/Super Caf\xE9 World (E).smc", kRomBytes);
  const std::string out = Run(Request("Super Caf\xE9 World (E).smc"));
  EXPECT_EQ(Part(out, "TAIL:", "|ROM:"), " D:\\SUPERC~1.SMC" + kDefaultSwitches);
  EXPECT_EQ(Part(out, "|ROM:", "|CFG:"), kRomBytes);
}

TEST_F(DosBoxTest, BatchModeRunsTheDosCommandFirstInsideDosBox) {
  Ini("ShellBat=1\nExtraCommand=echo driver>C:\\MARK.TXT\n");
  WriteTestFile(roms_ + "/GAME.SMC", kRomBytes);
  const std::string out = Run(Request("GAME.SMC"));
  EXPECT_EQ(ReadTestFile(emu_ + "/zkivo.bat"),
            "echo driver>C:\\MARK.TXT\r@C:\\ZSNES.EXE D:\\GAME.SMC" + kDefaultSwitches);
  EXPECT_EQ(ReadTestFile(emu_ + "/MARK.TXT"), "driver\r\n");
  EXPECT_EQ(Part(out, "TAIL:", "|ROM:"), " D:\\GAME.SMC" + kDefaultSwitches);
}

TEST_F(DosBoxTest, AZippedGameRunsFromTheCache) {
  WriteZip(roms_ + "/Zipped Game.zip", {ZipFile("readme.txt", "read me"), ZipFile("ZIPPED.SMC", kRomBytes, true)});
  TZipCache cache(dir_ / "zipcache", 8);
  RunRomRequest request = Request("Zipped Game.zip");
  request.getRomFile = [&cache](const std::string& path) { return cache.GetRomFile(path); };
  const std::string out = Run(request);
  EXPECT_EQ(Part(out, "TAIL:", "|ROM:"), " D:\\ZIPPED.SMC" + kDefaultSwitches);
  EXPECT_EQ(Part(out, "|ROM:", "|CFG:"), kRomBytes);
}

TEST_F(DosBoxTest, WithoutDosBoxTheErrorNamesThePackage) {
  WriteTestFile(roms_ + "/GAME.SMC", kRomBytes);
  ScopedEnv path("PATH", dir_ / "no-programs");
  SettingsFile settings(dir_ / "kivo.ini");
  try {
    RunRom(settings, Request("GAME.SMC"));
    ADD_FAILURE() << "started without DOSBox";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()),
              "ZSNES.EXE is a DOS program, which runs in DOSBox: install the package \"dosbox\"");
  }
  EXPECT_EQ(ReadTestFile(emu_ + "/ZSNES.CFG"), "Sound = 1\r\nGameDirectory = C:\\OLD\r\n");
}

}  // namespace
