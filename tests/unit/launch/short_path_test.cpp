// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Short aliases for ROM paths the emulator's command line would split. The cases in
// tests/data/cmdline/ show aliases given and reused by a launch.
#include "platform/short_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "support/temp_dir.h"

namespace {

// Aliases look like DOS short names and pass through a command line unquoted, as only some bytes do.
TEST(ShortAliasNameTest, LooksLikeADosShortNameAndOnlySafeBytesPass) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"Super Mario World (U) [!].smc", 1, "SUPERM~1.SMC"},
      {"Super Mario World (U) [!].smc", 10, "SUPER~10.SMC"},
      {"Super Mario World (U) [!].smc", 12345, "SU~12345.SMC"},
      {"a b.sfc", 1, "AB~1.SFC"},
      {"Picture.jpeg", 1, "PICTUR~1.JPE"},
      {"x+y,z.fig", 1, "X_Y_Z~1.FIG"},
      {"no extension here", 1, "NOEXTE~1"},
      {"(!).smc", 1, "_~1.SMC"},
      {"\xC3\xA9t\xC3\xA9 game.s m c", 1, "TGAME~1.SMC"},
      {"many.dots.in.name.swc", 1, "MANYDO~1.SWC"},
  };
  for (const auto& [file, n, alias] : cases) {
    EXPECT_EQ(kivo::platform::ShortAliasName(file, n), alias) << file;
    EXPECT_TRUE(kivo::platform::IsCommandLineSafe(alias)) << alias;
  }

  EXPECT_TRUE(kivo::platform::IsCommandLineSafe("/home/me/roms/Mario_World-1.0+fix,v2~.smc"));
  for (const char* path : {"/roms/a b.smc", "/roms/a\tb", "/roms/(U).smc", "/roms/[!].smc", "/roms/a$b", "/roms/a'b",
                           "/roms/\xC3\xA9.smc", "/roms/a;b", "/roms/a\nb"}) {
    EXPECT_FALSE(kivo::platform::IsCommandLineSafe(path)) << path;
  }
}

// A safe path needs no alias and no alias folder; a missing file, or one whose alias folder cannot
// be made, has no short form at all. A file in the way keeps its bytes; a link left for a file that
// is gone still belongs to that file; a file in an awkward folder gets an alias of its name.
TEST(ShortPathTest, SafeMissingUnaliasableOccupiedAndStaleNames) {
  TempDir dir;
  const std::string aliases = dir / "shortnames";
  WriteTestFile(dir / "MARIO.SMC", "x");
  WriteTestFile(dir / "Super Mario World.smc", "world");
  EXPECT_EQ(kivo::platform::ShortPathName(dir / "MARIO.SMC", aliases), dir / "MARIO.SMC");
  EXPECT_EQ(::access(aliases.c_str(), F_OK), -1);
  for (const auto& [file, folder] :
       std::vector<std::pair<std::string, std::string>>{{dir / "Missing Game.smc", aliases},
                                                        {"", aliases},
                                                        {dir / "Super Mario World.smc", dir / "MARIO.SMC/x"},
                                                        {dir / "Super Mario World.smc", ""}}) {
    EXPECT_EQ(kivo::platform::ShortPathName(file, folder), "") << file << " " << folder;
  }
  MakeTestDir(aliases);
  WriteTestFile(aliases + "/SUPERM~1.SMC", "a plain file in the way");
  ASSERT_EQ(::symlink((dir / "Super Mario gone.smc").c_str(), (aliases + "/SUPERM~2.SMC").c_str()), 0);
  EXPECT_EQ(kivo::platform::ShortPathName(dir / "Super Mario World.smc", aliases), aliases + "/SUPERM~3.SMC");
  EXPECT_EQ(ReadTestFile(aliases + "/SUPERM~1.SMC"), "a plain file in the way");
  EXPECT_EQ(ReadTestFile(aliases + "/SUPERM~3.SMC"), "world");
  MakeTestDir(dir / "My Games");
  WriteTestFile(dir / "My Games/MARIO.SMC", "m");
  EXPECT_EQ(kivo::platform::ShortPathName(dir / "My Games/MARIO.SMC", aliases), aliases + "/MARIO~1.SMC");
  EXPECT_EQ(ReadTestFile(aliases + "/MARIO~1.SMC"), "m");
}

}  // namespace
