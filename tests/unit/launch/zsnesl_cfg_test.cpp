// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// zsnesl.cfg, the native build's own settings: where it is found, how it is edited in place, and
// what happens when it cannot be read or written.
#include "launch/zsnesl_cfg.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/error.h"
#include "launch/zsnes_cfg.h"
#include "platform/files.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

const std::vector<NativeCfgSetting> kSettings = {{"frameskip", "0"}, {"guioff", "1"}, {"SnapPath", "\"/s p/\""}};

TEST(RewriteZsneslCfgTest, SetsItsKeysAndKeepsEveryOtherLineAndComment) {
  const std::string before =
      ";ZSNES configuration\n"
      ";frameskip=7 in a comment stays\n"
      "newengen=1\n"
      "  frameskip = 5 ;manual frame skip\n"
      "FrameSkip=3\n"  // another key: keys keep their letter case
      "SnapPath=\"/old path/\"\n"
      "unknownKey=\"kept\"\n"
      "frameskip=6\n";  // a repeated key: the emulator reads the last one, so both are set
  const std::string after =
      ";ZSNES configuration\n"
      ";frameskip=7 in a comment stays\n"
      "newengen=1\n"
      "  frameskip = 0 ;manual frame skip\n"
      "FrameSkip=3\n"
      "SnapPath=\"/s p/\"\n"
      "unknownKey=\"kept\"\n"
      "frameskip=0\n"
      "guioff=1\n";
  EXPECT_EQ(RewriteZsneslCfg(before, kSettings), after);
}

TEST(RewriteZsneslCfgTest, LineEndsAndMissingLinesAndRefusedValues) {
  // CR LF lines keep their ends; a last line without one gets one before a line is appended.
  EXPECT_EQ(RewriteZsneslCfg("guioff=0\r\nsl_intensity=0", kSettings),
            "guioff=1\r\nsl_intensity=0\nframeskip=0\nSnapPath=\"/s p/\"\n");
  EXPECT_EQ(RewriteZsneslCfg("", kSettings), "frameskip=0\nguioff=1\nSnapPath=\"/s p/\"\n");
  // A quote left open (or a backslash at the end) ends with its line, as the emulator reads a line at
  // a time: the next line stays a line of its own.
  EXPECT_EQ(RewriteZsneslCfg("SnapPath=\"/open\nguioff=0\nSnapPath=\"x\\\nframeskip=1\n", kSettings),
            "SnapPath=\"/s p/\"\nguioff=1\nSnapPath=\"/s p/\"\nframeskip=0\n");
  // An empty value on a line is replaced; a value with a line break would add a line, so it is not set.
  EXPECT_EQ(RewriteZsneslCfg("frameskip=\nROMPath=\"/a/\"\n", {{"frameskip", "2"}, {"ROMPath", "\"/x\ny/\""}}),
            "frameskip=2\nROMPath=\"/a/\"\n");
}

class ZsneslCfgFileTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetWriteFaultForTesting({}); }
  TempDir dir_;
  std::string path_ = dir_ / "config/zsnes/zsnesl.cfg";
};

TEST_F(ZsneslCfgFileTest, AMissingFileIsCreatedWithItsFolder) {
  UpdateZsneslCfg(path_, kSettings);
  EXPECT_EQ(ReadTestFile(path_), "frameskip=0\nguioff=1\nSnapPath=\"/s p/\"\n");
}

TEST_F(ZsneslCfgFileTest, AFileThatCannotBeWrittenOrReadIsLeftAsItWas) {
  MakeTestDir(dir_ / "config/zsnes");
  WriteTestFile(path_, "guioff=0\n");
  platform::SetWriteFaultForTesting([&](const std::string& path) { return path == path_; });
  try {
    UpdateZsneslCfg(path_, kSettings);
    ADD_FAILURE() << "no error raised";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + path_);
  }
  EXPECT_EQ(ReadTestFile(path_), "guioff=0\n");
  platform::SetWriteFaultForTesting({});

  // A file whose reads fail (as root a mode bit cannot make one): its bytes are unknown, so it must
  // not be replaced by KIVO's few keys.
  platform::DeleteFile(path_);
  ASSERT_EQ(::symlink("/proc/self/mem", path_.c_str()), 0);
  try {
    UpdateZsneslCfg(path_, kSettings);
    ADD_FAILURE() << "no error raised";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + path_);
  }
  char target[64] = {};
  EXPECT_GT(::readlink(path_.c_str(), target, sizeof target - 1), 0);
  EXPECT_STREQ(target, "/proc/self/mem");

  // Nor is one beyond any configuration the emulator writes.
  platform::DeleteFile(path_);
  WriteTestFile(path_, "");
  std::filesystem::resize_file(path_, kEmulatorConfigLimit + 1);  // sparse: costs no disk
  EXPECT_THROW(UpdateZsneslCfg(path_, kSettings), KivoError);
  EXPECT_EQ(std::filesystem::file_size(path_), kEmulatorConfigLimit + 1);
}

TEST(NativeConfigFolderTest, FoundAsTheEmulatorFindsIt) {
  TempDir home;
  ScopedEnv setHome("HOME", home.Path());
  {
    ScopedEnv noXdg("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(NativeConfigFolder("/start"), home / ".config/zsnes");
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(NativeConfigFolder("/start"), "/xdg/zsnes");
    // The old folder wins once it exists.
    MakeTestDir(home / ".zsnes");
    EXPECT_EQ(NativeConfigFolder("/start"), home / ".zsnes");
  }
  ScopedEnv noHome("HOME", std::nullopt);
  ScopedEnv noXdg("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(NativeConfigFolder("/start"), "/start");
}

}  // namespace
