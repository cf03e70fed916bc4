// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// zsnesl.cfg, the native build's own settings: where it is found, how it is edited in place, and the
// file whose bytes cannot be known.
#include "launch/zsnesl_cfg.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/error.h"
#include "launch/zsnes_cfg.h"
#include "platform/files.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

using namespace kivo::common;
using namespace kivo::launch;

namespace {

const std::vector<NativeCfgSetting> kSettings = {{"frameskip", "0"}, {"guioff", "1"}, {"SnapPath", "\"/s p/\""}};

TEST(RewriteZsneslCfgTest, SetsItsKeysAndKeepsEveryOtherLineAndComment) {
  const std::pair<std::string, std::string> cases[] = {
      // Comments stay; keys keep their letter case; a repeated key is set each time, as the emulator
      // reads the last; what follows a value on its line stays.
      {";frameskip=7 in a comment\n  frameskip = 5 ;manual\nFrameSkip=3\nSnapPath=\"/old "
       "path/\"\nx=\"k\"\nframeskip=6\n",
       ";frameskip=7 in a comment\n  frameskip = 0 ;manual\nFrameSkip=3\nSnapPath=\"/s p/\"\nx=\"k\"\nframeskip=0\n"
       "guioff=1\n"},
      // CR LF lines keep their ends; a last line without one gets one before a line is appended.
      {"guioff=0\r\nsl_intensity=0", "guioff=1\r\nsl_intensity=0\nframeskip=0\nSnapPath=\"/s p/\"\n"},
      // A quote left open (or a backslash at the end) ends with its line, as the emulator reads a line
      // at a time: the next line stays a line of its own.
      {"SnapPath=\"/open\nguioff=0\nSnapPath=\"x\\\nframeskip=\n",
       "SnapPath=\"/s p/\"\nguioff=1\nSnapPath=\"/s p/\"\nframeskip=0\n"},
  };
  for (const auto& [before, after] : cases) EXPECT_EQ(RewriteZsneslCfg(before, kSettings), after) << before;
  // A value with a line break would add a line: it is not set.
  EXPECT_EQ(RewriteZsneslCfg("ROMPath=\"/a/\"\n", {{"ROMPath", "\"/x\ny/\""}}), "ROMPath=\"/a/\"\n");
}

// A file whose reads fail (as root a mode bit cannot make one), or one beyond any configuration the
// emulator writes: its bytes are unknown, so it must not be replaced by KIVO's few keys.
TEST(UpdateZsneslCfgTest, AFileThatCannotBeReadIsLeftAsItWas) {
  TempDir dir;
  const std::string path = dir / "zsnesl.cfg";
  ASSERT_EQ(::symlink("/proc/self/mem", path.c_str()), 0);
  try {
    UpdateZsneslCfg(path, kSettings);
    ADD_FAILURE() << "no error raised";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
  }
  EXPECT_TRUE(std::filesystem::is_symlink(path));

  kivo::platform::DeleteFile(path);
  WriteTestFile(path, "");
  std::filesystem::resize_file(path, kEmulatorConfigLimit + 1);  // sparse: costs no disk
  EXPECT_THROW(UpdateZsneslCfg(path, kSettings), KivoError);
  EXPECT_EQ(std::filesystem::file_size(path), kEmulatorConfigLimit + 1);
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
