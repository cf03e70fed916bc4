// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/short_path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "support/temp_dir.h"

namespace {

std::string LinkTarget(const std::string& path) {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
  return n < 0 ? std::string() : std::string(buffer, static_cast<size_t>(n));
}

TEST(ShortAliasNameTest, LooksLikeADosShortName) {
  struct Case {
    const char* file;
    int n;
    const char* alias;
  };
  const Case cases[] = {
      {"Super Mario World (U) [!].smc", 1, "SUPERM~1.SMC"},
      {"Super Mario World (U) [!].smc", 2, "SUPERM~2.SMC"},
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
  for (const Case& c : cases) {
    std::string alias = platform::ShortAliasName(c.file, c.n);
    EXPECT_EQ(alias, c.alias) << c.file;
    EXPECT_TRUE(platform::IsCommandLineSafe(alias)) << alias;
  }
}

TEST(IsCommandLineSafeTest, AcceptsOnlyBytesPassedThroughUnquoted) {
  EXPECT_TRUE(platform::IsCommandLineSafe("/home/me/roms/Mario_World-1.0+fix,v2~.smc"));
  for (const char* path : {"/roms/a b.smc", "/roms/a\tb", "/roms/(U).smc", "/roms/[!].smc", "/roms/a$b", "/roms/a'b",
                           "/roms/\xC3\xA9.smc", "/roms/a;b", "/roms/a\nb"}) {
    EXPECT_FALSE(platform::IsCommandLineSafe(path)) << path;
  }
}

class ShortPathTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeTestDir(dir_ / "app"); }

  TempDir dir_;
  std::string aliases_ = dir_ / "app/shortnames";
};

TEST_F(ShortPathTest, SafePathIsItsOwnShortForm) {
  WriteTestFile(dir_ / "MARIO.SMC", "x");
  EXPECT_EQ(platform::ShortPathName(dir_ / "MARIO.SMC", aliases_), dir_ / "MARIO.SMC");
  EXPECT_EQ(platform::ShortPathName(dir_.Path(), aliases_), dir_.Path());
  struct stat st {};
  EXPECT_NE(::lstat(aliases_.c_str(), &st), 0) << "no alias folder is needed for a safe path";
}

TEST_F(ShortPathTest, MissingFileHasNoShortForm) {
  EXPECT_EQ(platform::ShortPathName(dir_ / "MISSING.SMC", aliases_), "");
  EXPECT_EQ(platform::ShortPathName(dir_ / "Missing Game.smc", aliases_), "");
  EXPECT_EQ(platform::ShortPathName("", aliases_), "");
}

TEST_F(ShortPathTest, AwkwardNameGetsAStableAlias) {
  std::string rom = dir_ / "Super Mario World (U) [!].smc";
  std::string other = dir_ / "Super Mario Kart (E).smc";
  WriteTestFile(rom, "world");
  WriteTestFile(other, "kart");

  std::string alias = platform::ShortPathName(rom, aliases_);
  EXPECT_EQ(alias, aliases_ + "/SUPERM~1.SMC");
  EXPECT_EQ(LinkTarget(alias), rom);
  EXPECT_EQ(ReadTestFile(alias), "world");
  EXPECT_TRUE(platform::IsCommandLineSafe(alias));

  // A second file with the same first letters gets the next number; neither alias moves.
  EXPECT_EQ(platform::ShortPathName(other, aliases_), aliases_ + "/SUPERM~2.SMC");
  EXPECT_EQ(platform::ShortPathName(rom, aliases_), alias);
  EXPECT_EQ(platform::ShortPathName(other, aliases_), aliases_ + "/SUPERM~2.SMC");
  EXPECT_EQ(ReadTestFile(aliases_ + "/SUPERM~2.SMC"), "kart");
}

TEST_F(ShortPathTest, OccupiedAndStaleNamesAreNotReused) {
  MakeTestDir(aliases_);
  WriteTestFile(aliases_ + "/SUPERM~1.SMC", "a plain file in the way");
  // A link left behind for a file that is gone still belongs to that file.
  ASSERT_EQ(::symlink((dir_ / "Super Mario gone.smc").c_str(), (aliases_ + "/SUPERM~2.SMC").c_str()), 0);
  std::string rom = dir_ / "Super Mario World.smc";
  WriteTestFile(rom, "world");
  EXPECT_EQ(platform::ShortPathName(rom, aliases_), aliases_ + "/SUPERM~3.SMC");
  EXPECT_EQ(ReadTestFile(aliases_ + "/SUPERM~1.SMC"), "a plain file in the way");
}

TEST_F(ShortPathTest, AliasOfAFolderAndOfAFileInsideAnAwkwardFolder) {
  std::string folder = dir_ / "My Games";
  MakeTestDir(folder);
  WriteTestFile(folder + "/MARIO.SMC", "m");
  std::string alias = platform::ShortPathName(folder + "/MARIO.SMC", aliases_);
  EXPECT_EQ(alias, aliases_ + "/MARIO~1.SMC");
  EXPECT_EQ(ReadTestFile(alias), "m");
  EXPECT_EQ(platform::ShortPathName(folder + "/", aliases_), aliases_ + "/MYGAME~1");
  EXPECT_EQ(LinkTarget(aliases_ + "/MYGAME~1"), folder);
}

TEST_F(ShortPathTest, NoAliasWhenTheAliasFolderCannotBeMade) {
  std::string rom = dir_ / "Super Mario World.smc";
  WriteTestFile(rom, "world");
  WriteTestFile(dir_ / "app/file", "a file where the program folder should be");
  EXPECT_EQ(platform::ShortPathName(rom, dir_ / "app/file/shortnames"), "");
  EXPECT_EQ(platform::ShortPathName(rom, ""), "");
}

}  // namespace
