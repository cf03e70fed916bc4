// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// ZSNES.CFG, the DOS build's settings: the eight values KIVO sets, how the file's lines are edited,
// and the file that is missing or cannot be read.
#include "launch/zsnes_cfg.h"

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "common/error.h"
#include "platform/files.h"
#include "support/temp_dir.h"

using namespace kivo::app;
using namespace kivo::common;
using namespace kivo::launch;

namespace {

std::vector<std::string> Values(const std::vector<CfgSetting>& settings) {
  std::vector<std::string> values;
  for (const CfgSetting& s : settings) values.push_back(s.name + "=" + s.value);
  return values;
}

// The eight settings of a settings file without any key, with "/roms" as game folder.
const std::vector<CfgSetting> kDefaults = {{"FrameSkip ", "0"},    {"AutoFrameSkip ", " 1"},   {"GUIDisable ", " 1"},
                                           {"CopyMethod ", " 0"},  {"Scanlines ", "0"},        {"VSync ", "0"},
                                           {"SaveDirectory ", ""}, {"GameDirectory ", "/roms"}};
constexpr const char* kDefaultLines =
    "FrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\nScanlines =0\r\nVSync =0\r\n"
    "GameDirectory =/roms\r\n";

TEST(ZsnesCfgSettingsTest, ValuesComeFromTheirSectionsWithTheirDefaults) {
  TempDir dir;
  SettingsFile settings(dir / "kivo.ini");
  EXPECT_EQ(Values(ZsnesCfgSettings(settings, "Default", "/roms")), Values(kDefaults));
  WriteTestFile(dir / "kivo.ini",
                "[General]\nDisableGUI=0\nMemCopy=1\nSavegamePath=/saves\nScanlines=1\n"
                "[Default]\nFrameSkip=0\nFrameSkip Value=8\nVSync=1\n[Zelda]\nFrameSkip=1\nFrameSkip Value=4\n");
  EXPECT_EQ(Values(ZsnesCfgSettings(settings, "Zelda", "/g")),
            (std::vector<std::string>{"FrameSkip =4", "AutoFrameSkip = 0", "GUIDisable = 0", "CopyMethod = 2",
                                      "Scanlines =0", "VSync =0", "SaveDirectory =/saves", "GameDirectory =/g"}));
  EXPECT_EQ(Values(ZsnesCfgSettings(settings, "Default", "/g"))[5], "VSync =1");
}

TEST(RewriteZsnesCfgTest, LineRules) {
  const std::pair<std::string, std::string> cases[] = {
      {"", kDefaultLines},
      // Set in place, other lines kept where they are; a missing line is appended.
      {"; ZSNES config\r\nFrameSkip = 3\r\nSound = 1\r\nAutoFrameSkip = 0\r\nGUIDisable = 0\r\nCopyMethod = 2\r\n"
       "Scanlines = 1\r\nVSync = 1\r\nLast = x\r\n",
       "; ZSNES config\r\nFrameSkip =0\r\nSound = 1\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\nCopyMethod = 0\r\n"
       "Scanlines =0\r\nVSync =0\r\nLast = x\r\nGameDirectory =/roms\r\n"},
      // The name is the text before the first "=", in any letter case: no blank there is another name.
      {"gamedirectory =x\r\nVSync=1\r\nvsYNC =1=2\r\n",
       "GameDirectory =/roms\r\nVSync=1\r\nVSync =0\r\nFrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\n"
       "CopyMethod = 0\r\nScanlines =0\r\n"},
      // An empty value removes the line; only the first of two is set or removed.
      {"SaveDirectory =a\r\nSaveDirectory =b\r\nVSync =1\r\nVSync =1\r\n",
       "SaveDirectory =b\r\nVSync =0\r\nVSync =1\r\nFrameSkip =0\r\nAutoFrameSkip = 1\r\nGUIDisable = 1\r\n"
       "CopyMethod = 0\r\nScanlines =0\r\nGameDirectory =/roms\r\n"},
      // A zero byte ends the text; lines end at CR LF, lone CR, lone LF; blank lines stay.
      {std::string("A=1\r\nB=2\0VSync =1\r\n", 19), std::string("A=1\r\nB=2\r\n") + kDefaultLines},
      {"\r\nA=1\rB=2\nC=3\n\rE=5", std::string("\r\nA=1\r\nB=2\r\nC=3\r\n\r\nE=5\r\n") + kDefaultLines},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(RewriteZsnesCfg(input, kDefaults), expected) << input;
  // A folder on Linux may be named with a line break; it must not become a line of its own.
  for (const std::string& folder : {std::string("/a\nSound = 0"), std::string("/a\rb"), std::string("/a\0b", 4)}) {
    EXPECT_EQ(RewriteZsnesCfg("GameDirectory =old\r\n", {{"GameDirectory ", folder}}), "GameDirectory =old\r\n");
  }
}

// A missing file is the emulator's business, never created; one whose bytes cannot be read is not a
// file of eight lines, and is left as it was.
TEST(UpdateZsnesCfgTest, MissingOrUnreadableFilesAreLeftAlone) {
  TempDir dir;
  const std::string cfg = dir / "ZSNES.CFG";
  WriteTestFile(dir / "kivo.ini", "[General]\nZSNESPath=" + dir.Path() + "\n");
  SettingsFile settings(dir / "kivo.ini");
  UpdateZsnesCfg(settings, "Default", "/roms");
  EXPECT_FALSE(kivo::platform::FileExists(cfg));

  WriteTestFile(cfg, "Sound = 1\r\n");
  kivo::platform::SetReadFaultForTesting([&](const std::string& path) { return path == cfg; });
  EXPECT_THROW(UpdateZsnesCfg(settings, "Default", "/roms"), KivoError);
  kivo::platform::SetReadFaultForTesting({});
  EXPECT_EQ(ReadTestFile(cfg), "Sound = 1\r\n");
}

}  // namespace
