// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/folder_scan.h"

#include <gtest/gtest.h>

#include "common/path.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::pair<std::string, int>> CaptionsAndKinds(const ListEntries& entries) {
  std::vector<std::pair<std::string, int>> result;
  for (const ListEntry& e : entries) result.emplace_back(e.caption, e.kind);
  return result;
}

TEST(RomFilter, ExtensionIsLookedUpAsASubstringOfTheFilter) {
  struct Case {
    const char* name;
    bool listed;
  } cases[] = {
      {"game.SMC", true}, {"game.Smc", true}, {"demo.sm", true}, {"x.z", true},       {"x.0", true},
      {"x.07", true},     {"Game.1", true},   {"a.ZIP", true},   {"x.swc", false},    {"x.rom", false},
      {"x.usa", false},   {"x.bin", false},   {"README", false}, {"trailing.", true}, {"x.smc.txt", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesRomFilter(c.name), c.listed) << c.name;
}

// What makes a file an archive for the list, the cache and "Unzip" alike.
TEST(RomFilter, ZipNameIsTheZipExtensionInAnyLetterCase) {
  struct Case {
    const char* name;
    bool zip;
  } cases[] = {
      {"Zelda.zip", true},  {"Zelda.ZIP", true},      {"GAME.Zip", true}, {"/roms/a.b/Zelda.zIp", true},
      {"Zelda.smc", false}, {"game.zip.smc", false},  {"zip", false},     {"Zelda.zip2", false},
      {"", false},          {"roms.zip/game", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsZipName(c.name), c.zip) << c.name;
}

TEST(FolderScan, ListsDrivesThenFoldersThenFilesWithTheirKinds) {
  TempDir dir;
  for (const char* name : {"Mario.smc", "Mario.zip", "Zelda.SFC", "README", "notes.txt", "demo.sm", "!first.fig"})
    WriteTestFile(dir / name, "x");
  for (const char* name : {"roms.smc", "B-side", "alpha", " space"}) MakeTestDir(dir / name);

  IniDocument settings("[Configs]\nzelda=1\nOther=1\nmario=0\n");
  auto entries = ScanFolder({"/", "/home/u"}, dir.Path(), settings);

  std::vector<std::pair<std::string, int>> expected = {
      {"/", kDrive},
      {"/home/u", kDrive},
      {" space", kFolder},
      {".", kFolder},
      {"..", kFolder},
      {"alpha", kFolder},
      {"B-side", kFolder},
      {"roms.smc", kFolder},
      {"!first", kRomFile},
      {"demo", kRomFile},
      {"Mario", kRomFile},
      {"Mario", kZipArchive},
      {"Zelda", kRomFileWithConfig},
  };
  EXPECT_EQ(CaptionsAndKinds(entries), expected);
  EXPECT_EQ(entries[10].fileName, "Mario.smc");
  EXPECT_EQ(entries[11].fileName, "Mario.zip");
  EXPECT_EQ(entries[12].fileName, "Zelda.SFC");
  EXPECT_TRUE(entries[5].fileName.empty());
}

TEST(FolderScan, ConfigFlagMarksRomsAndArchivesOfTheSameName) {
  TempDir dir;
  WriteTestFile(dir / "Mario.smc", "x");
  WriteTestFile(dir / "Mario.zip", "x");
  auto entries = ScanFolder({}, dir.Path(), IniDocument("[Configs]\nMario=1\n"));
  ASSERT_EQ(entries.size(), 4u);  // ".", "..", and the two files
  EXPECT_EQ(entries[2].kind, kRomFileWithConfig);
  EXPECT_EQ(entries[3].kind, kZipArchiveWithConfig);
}

TEST(FolderScan, NamesThatAreNotUtf8AreKeptAsBytes) {
  TempDir dir;
  const std::string name = "Caf\xE9 \xFF.smc";
  WriteTestFile(dir / name, "x");
  auto entries = ScanFolder({}, dir.Path(), IniDocument(""));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[2].fileName, name);
  EXPECT_EQ(entries[2].caption, "Caf\xE9 \xFF");
}

TEST(FolderScan, UnreadableFolderGivesOnlyTheDrives) {
  auto entries = ScanFolder({"/"}, "/no/such/folder", IniDocument(""));
  EXPECT_EQ(CaptionsAndKinds(entries), (std::vector<std::pair<std::string, int>>{{"/", kDrive}}));
}

TEST(FolderScan, TheRootListsNothingAboveItself) {
  auto entries = ScanFolder({"/"}, "/", IniDocument(""));
  for (const ListEntry& entry : entries) {
    EXPECT_NE(entry.caption, ".");
    EXPECT_NE(entry.caption, "..");
  }
  EXPECT_GT(entries.size(), 1u);  // its folders are still there
}

TEST(ListOrder, IsAStrictOrderingAndIgnoresLetterCase) {
  ListEntry upper{"ZELDA", kRomFile, "ZELDA.smc"};
  ListEntry lower{"zelda", kRomFile, "zelda.smc"};
  ListEntry prefix{"zeld", kZipArchive, "zeld.zip"};
  EXPECT_TRUE(ListEntryLess(prefix, upper));
  EXPECT_TRUE(ListEntryLess(upper, lower));  // equal when folded: the bytes decide, never both ways
  EXPECT_FALSE(ListEntryLess(lower, upper));
  EXPECT_FALSE(ListEntryLess(upper, upper));
  // A name beginning with a byte above 127 sorts after the letters.
  EXPECT_TRUE(ListEntryLess({"zz", kRomFile, "zz.smc"}, {"\xE9t\xE9", kRomFile, "\xE9t\xE9.smc"}));
}

}  // namespace
