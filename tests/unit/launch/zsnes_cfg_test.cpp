// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/zsnes_cfg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/settings_file.h"
#include "common/error.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

// The eight settings as a settings file without any key gives them, with "/roms" as game folder.
std::vector<CfgSetting> DefaultSettings() {
  return {{"FrameSkip ", "0"}, {"AutoFrameSkip ", " 1"}, {"GUIDisable ", " 1"},  {"CopyMethod ", " 0"},
          {"Scanlines ", "0"}, {"VSync ", "0"},          {"SaveDirectory ", ""}, {"GameDirectory ", "/roms"}};
}

constexpr const char* kDefaultLines =
    "FrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\nScanlines =0\r\nVSync =0\r\n"
    "GameDirectory =/roms\r\n";

TEST(ZsnesCfgSettingsTest, ValuesComeFromTheirSectionsWithTheirDefaults) {
  TempDir dir;
  SettingsFile settings(dir / "kivo.ini");
  std::vector<CfgSetting> expected = DefaultSettings();
  std::vector<CfgSetting> actual = ZsnesCfgSettings(settings, "Default", "/roms");
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual[i].name, expected[i].name);
    EXPECT_EQ(actual[i].value, expected[i].value) << expected[i].name;
  }

  WriteTestFile(dir / "kivo.ini",
                "[General]\nDisableGUI=0\nMemCopy=1\nSavegamePath=/saves\n"
                "[Default]\nFrameSkip=0\nFrameSkip Value=8\nScanlines=1\nVSync=1\n"
                "[Zelda]\nFrameSkip=1\nFrameSkip Value=4\nScanlines=0\n");
  std::vector<std::string> values;
  for (const CfgSetting& s : ZsnesCfgSettings(settings, "Zelda", "/games")) values.push_back(s.value);
  EXPECT_EQ(values, (std::vector<std::string>{"4", " 0", " 0", " 2", "0", "0", "/saves", "/games"}));
  values.clear();
  for (const CfgSetting& s : ZsnesCfgSettings(settings, "Default", "/games")) values.push_back(s.value);
  EXPECT_EQ(values, (std::vector<std::string>{"8", " 1", " 0", " 2", "1", "1", "/saves", "/games"}));
}

TEST(RewriteZsnesCfgTest, LineRules) {
  struct Case {
    const char* what;
    std::string input;
    std::string expected;
  };
  const Case cases[] = {
      {"empty file gains the seven non-empty lines", "", kDefaultLines},
      {"values set in place, other lines kept where they are",
       "; ZSNES config\r\nFrameSkip = 3\r\nSound = 1\r\nAutoFrameSkip = 0\r\nGUIDisable = 0\r\nCopyMethod = 2\r\n"
       "Scanlines = 1\r\nVSync = 1\r\nGameDirectory = C:\\old\r\nLast = x\r\n",
       "; ZSNES config\r\nFrameSkip =0\r\nSound = 1\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\n"
       "Scanlines =0\r\nVSync =0\r\nGameDirectory =/roms\r\nLast = x\r\n"},
      {"missing GameDirectory line appended last",
       "FrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\nScanlines =0\r\nVSync =0\r\nX = 1\r\n",
       "FrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\nScanlines =0\r\nVSync =0\r\nX = 1\r\n"
       "GameDirectory =/roms\r\n"},
      {"a name in other letter case is the same name", "gamedirectory =x\r\nvsYNC =1\r\n",
       "GameDirectory =/roms\r\nVSync =0\r\nFrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\n"
       "Scanlines =0\r\n"},
      {"no blank before '=' is another name", "GameDirectory=x\r\nVSync  =1\r\n",
       std::string("GameDirectory=x\r\nVSync  =1\r\n") + kDefaultLines},
      {"empty SaveDirectory removes the line", "A=1\r\nSaveDirectory = C:\\saves\r\nB=2\r\n",
       std::string("A=1\r\nB=2\r\n") + kDefaultLines},
      {"only the first of two matching lines is set or removed",
       "SaveDirectory =a\r\nSaveDirectory =b\r\nVSync =1\r\nVSync =1\r\n",
       "SaveDirectory =b\r\nVSync =0\r\nVSync =1\r\nFrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\n"
       "CopyMethod = 0\r\nScanlines =0\r\nGameDirectory =/roms\r\n"},
      {"the name is the text before the first '='", "VSync =1=2\r\nVSync \r\n",
       std::string("VSync =0\r\nVSync \r\n") +
           "FrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\n"
           "Scanlines =0\r\nGameDirectory =/roms\r\n"},
      {"a zero byte ends the text", std::string("A=1\r\nB=2\0VSync =1\r\nC=3\r\n", 24),
       std::string("A=1\r\nB=2\r\n") + kDefaultLines},
      {"mixed line ends: CR LF, lone CR, lone LF, LF CR; no final line end", "A=1\r\nB=2\rC=3\nD=4\n\rE=5",
       std::string("A=1\r\nB=2\r\nC=3\r\nD=4\r\n\r\nE=5\r\n") + kDefaultLines},
      {"blank lines kept", "\r\n\r\nA=1\r\n\r\n", std::string("\r\n\r\nA=1\r\n\r\n") + kDefaultLines},
  };
  for (const Case& c : cases) EXPECT_EQ(RewriteZsnesCfg(c.input, DefaultSettings()), c.expected) << c.what;
}

TEST(RewriteZsnesCfgTest, ValueWithALineBreakIsNotWritten) {
  // A folder on Linux may be named with a line break; it must not become a line of its own.
  for (const std::string& folder :
       {std::string("/roms/a\nSound = 0"), std::string("/roms/a\rb"), std::string("/roms/a\0b", 9)}) {
    std::vector<CfgSetting> settings = {{"GameDirectory ", folder}};
    EXPECT_EQ(RewriteZsnesCfg("GameDirectory =old\r\nSound = 1\r\n", settings), "GameDirectory =old\r\nSound = 1\r\n");
    EXPECT_EQ(RewriteZsnesCfg("Sound = 1\r\n", settings), "Sound = 1\r\n");
  }
}

class UpdateZsnesCfgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeTestDir(zsnesDir_);
    WriteTestFile(dir_ / "kivo.ini", "[General]\nZSNESPath=" + zsnesDir_ + "\nSavegamePath=/saves\n");
  }
  void TearDown() override {
    platform::SetWriteFaultForTesting({});
    platform::SetReadFaultForTesting({});
  }

  TempDir dir_;
  std::string zsnesDir_ = dir_ / "zsnes";
  std::string cfgPath_ = zsnesDir_ + "/ZSNES.CFG";
  SettingsFile settings_{dir_ / "kivo.ini"};
};

TEST_F(UpdateZsnesCfgTest, RewritesTheFileInTheEmulatorFolder) {
  WriteTestFile(cfgPath_, "Sound = 1\nSaveDirectory = x\nGameDirectory = y\n");
  UpdateZsnesCfg(settings_, "Default", "/home/me/roms");
  EXPECT_EQ(ReadTestFile(cfgPath_),
            "Sound = 1\r\nSaveDirectory =/saves\r\nGameDirectory =/home/me/roms\r\nFrameSkip =0\r\n"
            "AutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\nScanlines =0\r\nVSync =0\r\n");
}

TEST_F(UpdateZsnesCfgTest, MissingFileIsNeverCreated) {
  UpdateZsnesCfg(settings_, "Default", "/roms");
  EXPECT_FALSE(platform::FileExists(cfgPath_));
  // Nor when "ZSNESPath" is empty and the name would be taken from the current folder.
  WriteTestFile(dir_ / "kivo.ini", "");
  UpdateZsnesCfg(settings_, "Default", "/roms");
  EXPECT_FALSE(platform::FileExists("ZSNES.CFG"));
}

TEST_F(UpdateZsnesCfgTest, RefusedWriteRaisesAndLeavesTheFileAsItWas) {
  WriteTestFile(cfgPath_, "Sound = 1\r\nVSync =1\r\n");
  platform::SetWriteFaultForTesting([&](const std::string& path) { return path == cfgPath_; });
  try {
    UpdateZsnesCfg(settings_, "Default", "/roms");
    FAIL() << "no error raised";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + cfgPath_);
  }
  EXPECT_EQ(ReadTestFile(cfgPath_), "Sound = 1\r\nVSync =1\r\n");
}

// The emulator's file whose bytes cannot be read is not the emulator's file with eight lines: it is
// left alone, the launch stops; one without a write bit is read-only; one that is a link is kept a
// link, and the file it names changes, keeping its mode.
TEST_F(UpdateZsnesCfgTest, UnreadableReadOnlyAndLinkedFiles) {
  WriteTestFile(cfgPath_, "Sound = 1\r\n");
  platform::SetReadFaultForTesting([&](const std::string& path) { return path == cfgPath_; });
  EXPECT_THROW(UpdateZsnesCfg(settings_, "Default", "/roms"), KivoError);
  platform::SetReadFaultForTesting({});
  EXPECT_EQ(ReadTestFile(cfgPath_), "Sound = 1\r\n");

  ASSERT_EQ(::chmod(cfgPath_.c_str(), 0444), 0);
  try {
    UpdateZsnesCfg(settings_, "Default", "/roms");
    ADD_FAILURE() << "a read-only file was written";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + cfgPath_);
  }
  EXPECT_EQ(ReadTestFile(cfgPath_), "Sound = 1\r\n");

  const std::string real = dir_ / "ZSNES-real.CFG";
  WriteTestFile(real, "Sound = 1\r\n");
  ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
  platform::DeleteFile(cfgPath_);
  ASSERT_EQ(::symlink(real.c_str(), cfgPath_.c_str()), 0);
  UpdateZsnesCfg(settings_, "Default", "/roms");
  struct stat st {};
  ASSERT_EQ(::lstat(cfgPath_.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_TRUE(ReadTestFile(real).starts_with("Sound = 1\r\nFrameSkip =0\r\n"));
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
