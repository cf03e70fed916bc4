// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool cmdline, run as the user runs it: the built program copied into a folder of its own, so
// its kivo.ini, zip cache and short-name folder are the test's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "platform/process.h"
#include "support/fake_zsnes_log.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/zip_builder.h"

namespace {

const std::string kDefaultSwitches = " -a -e -g 0 -k 75 -m -p 100 -r 2 -s -v 3";

class KivoToolCmdlineTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(KIVO_TOOL, dir_ / "kivo-tool");
    MakeTestDir(roms_);
    MakeTestDir(zsnes_);
    // A script: the DOS build's name for a program Linux runs itself.
    WriteTestFile(zsnes_ + "/ZSNES.EXE", "#!/bin/sh\n");
    WriteTestFile(roms_ + "/MARIO.SMC", "mario");
    Ini("");
  }

  void Ini(const std::string& general, const std::string& rest = "") {
    WriteTestFile(dir_ / "kivo.ini", "[General]\nZSNESPath=" + zsnes_ + "\n" + general + rest);
  }

  // Runs "kivo-tool cmdline <args>" in the ROM folder; `args` is shell text, quoted by the caller.
  ToolRun Run(const std::string& args) { return RunTool(dir_, dir_ / "kivo-tool", "cmdline " + args, roms_); }

  static std::string LastLine(const std::string& out) {
    std::string text = out.ends_with('\n') ? out.substr(0, out.size() - 1) : out;
    return text.substr(text.rfind('\n') + 1);
  }

  TempDir dir_;
  std::string roms_ = dir_ / "roms";
  std::string zsnes_ = dir_ / "zsnes";
};

TEST_F(KivoToolCmdlineTest, PrintsWhatGoesIntoTheLaunchAndTheCommandLineLast) {
  ToolRun run = Run("MARIO.SMC");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "configuration: Default\nROM file: " + roms_ + "/MARIO.SMC\nworking folder: " + zsnes_ +
                         "\npriority: normal\n" + zsnes_ + "/ZSNES.EXE " + roms_ + "/MARIO.SMC" + kDefaultSwitches +
                         "\n");

  Ini("ShellBat=1\nHigh Priority=1\nExtraCommand=LH MOUSE.COM\n");
  run = Run(roms_ + "/MARIO.SMC");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "configuration: Default\nROM file: " + roms_ + "/MARIO.SMC\nworking folder: " + zsnes_ +
                         "\npriority: high\nthrough: " + zsnes_ + "/zkivo.bat\nDOS command: LH MOUSE.COM\n" + zsnes_ +
                         "/ZSNES.EXE " + roms_ + "/MARIO.SMC" + kDefaultSwitches + "\n");
  // Only shown: nothing is written into the emulator's folder.
  EXPECT_FALSE(platform::FileExists(zsnes_ + "/zkivo.bat"));
}

TEST_F(KivoToolCmdlineTest, ConfigurationIsChosenAsASelectionChoosesIt) {
  Ini("",
      "[Configs]\nmario=1\nZelda=0\nWorld (U) [!]=1\n[Default]\nGamma=1\n[MARIO]\nScanlines=1\nGamma=4\n"
      "[Zelda]\nGamma=5\n[World (U) [!]]\nGamma=2\n");
  WriteTestFile(roms_ + "/Zelda.sfc", "zelda");
  WriteTestFile(roms_ + "/World (U) [!].smc", "world");
  struct Case {
    std::string args;
    std::string section;
    std::string switches;
  };
  const Case cases[] = {
      // The flag's name is the caption in any letter case, as every settings key is.
      {"MARIO.SMC", "MARIO", " -a -e -g 4 -k 75 -m -n -p 100 -r 2 -s -v 3"},
      // A flag set to 0 leaves the game on "Default", whatever its own section holds.
      {"Zelda.sfc", "Default", " -a -e -g 1 -k 75 -m -p 100 -r 2 -s -v 3"},
      // A game's caption with brackets names its section too.
      {"'World (U) [!].smc'", "World (U) [!]", " -a -e -g 2 -k 75 -m -p 100 -r 2 -s -v 3"},
      // A section given on the command line wins.
      {"Default MARIO.SMC", "Default", " -a -e -g 1 -k 75 -m -p 100 -r 2 -s -v 3"},
      {"Zelda MARIO.SMC", "Zelda", " -a -e -g 5 -k 75 -m -p 100 -r 2 -s -v 3"},
  };
  for (const Case& c : cases) {
    ToolRun run = Run(c.args);
    EXPECT_EQ(run.status, 0) << c.args << ": " << run.err;
    EXPECT_TRUE(run.out.starts_with("configuration: " + c.section + "\n")) << c.args << ": " << run.out;
    EXPECT_TRUE(LastLine(run.out).ends_with(c.switches)) << c.args << ": " << run.out;
  }
}

TEST_F(KivoToolCmdlineTest, AwkwardNameShowsTheAliasTheLaunchUses) {
  const std::string name = "Super Mario World (U) [!].smc";
  WriteTestFile(roms_ + "/" + name, "world");
  WriteTestFile(zsnes_ + "/ZSNES.CFG", "VSync = 1\r\n");
  const std::string expected = zsnes_ + "/ZSNES.EXE " + (dir_ / "shortnames/SUPERM~1.SMC") + kDefaultSwitches;
  for (int round = 0; round < 2; ++round) {
    ToolRun run = Run("'" + name + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(LastLine(run.out), expected);
  }
  EXPECT_EQ(ReadTestFile(dir_ / "shortnames/SUPERM~1.SMC"), "world");
  EXPECT_EQ(ReadTestFile(zsnes_ + "/ZSNES.CFG"), "VSync = 1\r\n");
}

TEST_F(KivoToolCmdlineTest, ArchiveGoesThroughTheZipCacheBesideTheProgram) {
  WriteZip(roms_ + "/Zelda.zip", {ZipFile("README.TXT", "read me"), ZipFile("ZELDA.SMC", "zelda", true)});
  ToolRun run = Run("Zelda.zip");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string prefix = zsnes_ + "/ZSNES.EXE " + (dir_ / "zipcache/");
  const std::string line = LastLine(run.out);
  ASSERT_TRUE(line.starts_with(prefix)) << run.out;
  ASSERT_TRUE(line.ends_with("/ZELDA.SMC" + kDefaultSwitches)) << run.out;
  const std::string romFile =
      line.substr(zsnes_.size() + 11, line.size() - kDefaultSwitches.size() - zsnes_.size() - 11);
  EXPECT_EQ(ReadTestFile(romFile), "zelda");
  EXPECT_NE(run.out.find("\nROM file: " + romFile + "\n"), std::string::npos) << run.out;
  EXPECT_TRUE(ReadTestFile(dir_ / "zipcache/cache.tbl").starts_with(roms_ + "/Zelda.zip\r\n"));
}

TEST_F(KivoToolCmdlineTest, SaysWhyALaunchWouldFailAndStillPrintsTheLine) {
  struct Case {
    std::string name;
    std::string args;
    std::string commandLine;  // from after the emulator's path
    std::string message;
  };
  WriteZip(roms_ + "/Notes.zip", {ZipFile("notes.txt", "no game")});
  const Case cases[] = {
      {"missing file", "GONE.SMC", " " + kDefaultSwitches,
       "GONE.SMC: file not found; ZSNES would get the switches alone"},
      {"archive without ROM", "Notes.zip", " " + kDefaultSwitches,
       "Notes.zip: no ROM file in the archive; ZSNES would get the switches alone"},
  };
  for (const Case& c : cases) {
    ToolRun run = Run(c.args);
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_EQ(LastLine(run.out), zsnes_ + "/ZSNES.EXE" + c.commandLine) << c.name;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
  }

  // No emulator where "ZSNESPath" points.
  platform::DeleteFile(zsnes_ + "/ZSNES.EXE");
  ToolRun run = Run("MARIO.SMC");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(LastLine(run.out), zsnes_ + "/ZSNES.EXE " + roms_ + "/MARIO.SMC" + kDefaultSwitches);
  EXPECT_NE(run.err.find(zsnes_ + "/ZSNES.EXE: not found; the launch would start nothing"), std::string::npos)
      << run.err;

  // A folder name with a blank where the part before the blank names a file: that file would run.
  const std::string blank = dir_ / "my emu";
  MakeTestDir(blank);
  WriteTestFile(blank + "/ZSNES.EXE", "#!/bin/sh\n");
  WriteTestFile(dir_ / "my", "");
  WriteTestFile(dir_ / "kivo.ini", "[General]\nZSNESPath=" + blank + "\n");
  run = Run("MARIO.SMC");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(LastLine(run.out), blank + "/ZSNES.EXE " + roms_ + "/MARIO.SMC" + kDefaultSwitches);
  EXPECT_NE(run.err.find("the launch would start " + (dir_ / "my") + ", not " + blank + "/ZSNES.EXE"),
            std::string::npos)
      << run.err;
}

// With the native build in the folder, cmdline prints its argument list as shell words, and run
// starts exactly that and prints the same line.
TEST_F(KivoToolCmdlineTest, NativeBuildCmdlineAndRunShowTheSameShellQuotedLine) {
  TempDir home;
  ScopedEnv setHome("HOME", home.Path());
  ScopedEnv noXdg("XDG_CONFIG_HOME", std::nullopt);
  platform::DeleteFile(zsnes_ + "/ZSNES.EXE");
  EXPECT_TRUE(InstallFakeZsnes(zsnes_, "zsnes"));
  WriteTestFile(roms_ + "/It's Mario.smc", "mario");
  Ini("", "[Configs]\nIt's Mario=1\n[It's Mario]\nScanlines=1\n");
  const std::string line = zsnes_ + "/zsnes -g 0 -k 75 -n 1 -p 100 -r 2 -s -v 2 '" + roms_ + "/It'\\''s Mario.smc'";
  const std::string cfg = home / ".config/zsnes/zsnesl.cfg";

  ToolRun shown = RunTool(dir_, dir_ / "kivo-tool", "cmdline \"It's Mario.smc\"", roms_);
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out, "configuration: It's Mario\nROM file: " + roms_ + "/It's Mario.smc\nworking folder: " + zsnes_ +
                           "\npriority: normal\nconfiguration file: " + cfg + "\n" + line + "\n");
  EXPECT_FALSE(platform::FileExists(cfg));

  ToolRun started = RunTool(dir_, dir_ / "kivo-tool", "run \"It's Mario.smc\"", roms_);
  EXPECT_EQ(started.status, 0) << started.err;
  EXPECT_EQ(started.out, line + "\n");
  std::vector<FakeStart> starts = WaitForStarts(zsnes_, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args.back(), roms_ + "/It's Mario.smc");
  EXPECT_NE(ReadTestFile(cfg).find("ROMPath=\"" + roms_ + "/\""), std::string::npos);
}

TEST_F(KivoToolCmdlineTest, RunSaysWhyNothingStarted) {
  // ZSNES.EXE is there but cannot be run.
  ToolRun run = RunTool(dir_, dir_ / "kivo-tool", "run MARIO.SMC", roms_);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "kivo-tool: ZSNES could not be started: " + zsnes_ + "/ZSNES.EXE in " + zsnes_ + "\n");

  platform::DeleteFile(zsnes_ + "/ZSNES.EXE");
  run = RunTool(dir_, dir_ / "kivo-tool", "run MARIO.SMC", roms_);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "kivo-tool: No ZSNES in " + zsnes_ + ": neither zsnes nor ZSNES.EXE is there\n");
}

// A DOS program as ZSNES.EXE runs in DOSBox: cmdline shows the drives, the DOS command line and the
// DOSBox command it would start.
TEST_F(KivoToolCmdlineTest, ADosProgramShowsItsDrivesAndTheDosBoxCommand) {
  const std::string dosbox = platform::FindProgramOnPath("dosbox");
  if (dosbox.empty()) GTEST_SKIP() << "no dosbox";
  WriteTestFile(zsnes_ + "/ZSNES.EXE", "MZ\x90");
  ToolRun run = Run("MARIO.SMC");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "configuration: Default\nROM file: " + roms_ + "/MARIO.SMC\nworking folder: " + zsnes_ +
                         "\npriority: normal\ndrive C: " + zsnes_ + "\ndrive D: " + roms_ +
                         "\nin DOSBox: C:\\ZSNES.EXE D:\\MARIO.SMC" + kDefaultSwitches + "\n" + dosbox + " -conf " +
                         zsnes_ + "/kivo-dosbox.conf\n");
  EXPECT_FALSE(platform::FileExists(zsnes_ + "/kivo-dosbox.conf"));
}

TEST_F(KivoToolCmdlineTest, WrongArgumentsGiveUsage) {
  for (const char* args : {"", "a b c"}) {
    ToolRun run = Run(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.err.find("usage: kivo-tool cmdline [SECTION] FILE"), std::string::npos) << args;
  }
}

}  // namespace
