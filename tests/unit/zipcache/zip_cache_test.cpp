// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/zip_cache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <set>

#include "platform/files.h"
#include "unit/zipcache/zip_cache_fixture.h"
#include "zipcache/cache_table.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST_F(ZipCacheTest, PlainFilePassesThroughWithoutExtraction) {
  TZipCache cache(cacheDir, 8);
  for (std::string path : {roms + "/GAME.SMC", roms + "/game.smc", roms + "/noext", roms + "/missing.sfc"}) {
    EXPECT_EQ(cache.GetRomFile(path), path);
  }
  EXPECT_TRUE(cache.CacheTable().empty());
  EXPECT_EQ(CacheContents(), std::set<std::string>{});
}

TEST_F(ZipCacheTest, ReadmeThenGameGivesTheGameInAFolderOfItsOwn) {
  std::string archive = Archive("Super Game!.ZIP", {ZipFile("README.TXT", "text"), ZipFile("GAME.SFC", "rom", true)});
  TZipCache cache(cacheDir, 8);
  std::string rom = cache.GetRomFile(archive);

  EXPECT_EQ(rom, cacheDir + "/Super_Game_-1/GAME.SFC");
  EXPECT_EQ(ReadTestFile(rom), "rom");
  EXPECT_EQ(cache.CacheTable(), (Lines{archive, cacheDir + "/Super_Game_-1/README.TXT", rom, "?end?"}));
  EXPECT_EQ(cache.CountGroups(), 1);
  EXPECT_TRUE(cache.IsCached(archive));
}

TEST_F(ZipCacheTest, FirstFileWithARomExtensionWins) {
  const struct {
    Lines names;
    const char* rom;  // the name expected back, or "" for none
  } cases[] = {
      {{"A.SFC", "B.SMC"}, "A.SFC"},
      {{"readme.txt", "game.Sm", "game.smc"}, "game.Sm"},  // ".sm" is part of ".smc"
      {{"disk.0"}, "disk.0"},
      {{"x.s"}, "x.s"},
      {{"GAME.BIN", "info.txt", "inner.zip", "noext"}, ""},
  };
  int n = 0;
  for (const auto& c : cases) {
    std::vector<ZipMember> members;
    for (const std::string& name : c.names) members.push_back(ZipFile(name, name));
    std::string archive = Archive("case" + std::to_string(++n) + ".zip", members);
    TZipCache cache(cacheDir, 8);
    std::string rom = cache.GetRomFile(archive);
    EXPECT_EQ(rom.empty() ? "" : fs::path(rom).filename().string(), c.rom) << archive;
    EXPECT_EQ(cache.FindCachedRom(archive), rom);
  }
}

TEST_F(ZipCacheTest, ArchiveWithoutRomIsExtractedAgainOnEveryUse) {
  std::string archive = Archive("bios.zip", {ZipFile("GAME.BIN", "bin")});
  TZipCache cache(cacheDir, 8);
  EXPECT_EQ(cache.GetRomFile(archive), "");
  EXPECT_EQ(cache.GetRomFile(archive), "");
  EXPECT_EQ(cache.CacheTable(),
            (Lines{archive, cacheDir + "/bios-1/GAME.BIN", "?end?", archive, cacheDir + "/bios-2/GAME.BIN", "?end?"}));
}

TEST_F(ZipCacheTest, BothLetterCasesAreArchivesAndEachSpellingFormsAGroup) {
  std::string upper = Archive("A.ZIP", {ZipFile("A.SMC", "a")});
  std::string lower = Archive("b.zip", {ZipFile("B.SMC", "b")});
  std::string otherSpelling = roms + "/./b.zip";
  TZipCache cache(cacheDir, 8);

  EXPECT_EQ(ReadTestFile(cache.GetRomFile(upper)), "a");
  EXPECT_EQ(ReadTestFile(cache.GetRomFile(lower)), "b");
  EXPECT_EQ(ReadTestFile(cache.GetRomFile(otherSpelling)), "b");
  EXPECT_EQ(cache.CountGroups(), 3);
  EXPECT_EQ(cache.CacheTable()[6], otherSpelling);
}

TEST_F(ZipCacheTest, UsingACachedArchiveDoesNotMakeItYounger) {
  std::string a = Archive("a.zip", {ZipFile("A.SMC", "a")});
  std::string b = Archive("b.zip", {ZipFile("B.SMC", "b")});
  std::string c = Archive("c.zip", {ZipFile("C.SMC", "c")});
  TZipCache cache(cacheDir, 2);
  std::string romA = cache.GetRomFile(a);
  cache.GetRomFile(b);
  EXPECT_EQ(cache.GetRomFile(a), romA);  // found, not extracted again
  EXPECT_EQ(cache.CountGroups(), 2);
  cache.GetRomFile(c);

  EXPECT_EQ(cache.CountGroups(), 2);
  EXPECT_FALSE(cache.IsCached(a));
  EXPECT_EQ(cache.CacheTable().front(), b);
  EXPECT_EQ(CacheContents(), (std::set<std::string>{"b-1", "b-1/B.SMC", "c-1", "c-1/C.SMC"}));
}

TEST_F(ZipCacheTest, LoweringTheLimitEvictsAtOnceAndRaisingDeletesNothing) {
  TZipCache cache(cacheDir, 8);
  for (const char* name : {"a", "b", "c", "d"}) {
    cache.GetRomFile(Archive(std::string(name) + ".zip", {ZipFile("R.SFC", name)}));
  }
  cache.SetLimit(20);
  EXPECT_EQ(cache.CountGroups(), 4);
  EXPECT_EQ(CacheContents().size(), 8u);

  cache.SetLimit(2);
  EXPECT_EQ(cache.CacheLimit(), 2);
  EXPECT_EQ(CacheContents(), (std::set<std::string>{"c-1", "c-1/R.SFC", "d-1", "d-1/R.SFC"}));

  // A limit below 1 (a hand-edited settings file) keeps the group just added usable.
  cache.SetLimit(0);
  EXPECT_EQ(cache.CacheLimit(), 1);
  std::string rom = cache.GetRomFile(Archive("e.zip", {ZipFile("R.SFC", "e")}));
  EXPECT_EQ(ReadTestFile(rom), "e");
  EXPECT_EQ(TZipCache(root / "other", -5).CacheLimit(), 1);
}

TEST_F(ZipCacheTest, ArchivesInsideArchivesAreNeverDeleted) {
  std::string archive =
      Archive("set.zip", {ZipFile("inner.zip", "i"), ZipFile("OTHER.ZIP", "o"), ZipFile("G.SMC", "g")});
  {
    TZipCache cache(cacheDir, 1);
    cache.GetRomFile(archive);
    cache.GetRomFile(Archive("next.zip", {ZipFile("N.SMC", "n")}));  // evicts set.zip's group
    EXPECT_TRUE(platform::FileExists(archive));
  }
  EXPECT_EQ(CacheContents(),
            (std::set<std::string>{"set-1", "set-1/inner.zip", "set-1/OTHER.ZIP", "next-1", "next-1/N.SMC"}));
  fs::remove(archive);
  fs::remove(roms + "/next.zip");
  TZipCache reopened(cacheDir, 8);  // the table names a moved archive: purged
  EXPECT_TRUE(platform::FileExists(cacheDir + "/set-1/inner.zip"));
}

TEST_F(ZipCacheTest, TableSurvivesARestartAndAMovedArchiveEmptiesTheWholeCache) {
  std::string a = Archive("a.zip", {ZipFile("A.SMC", "a")});
  std::string b = Archive("b.zip", {ZipFile("B.SMC", "b")});
  Lines table;
  {
    auto cache = Open(8);
    cache->GetRomFile(a);
    cache->GetRomFile(b);
    table = cache->CacheTable();
  }
  EXPECT_EQ(ReadTestFile(cacheDir + "/cache.tbl"), FormatCacheTable(table));
  {
    auto cache = Open(8);
    EXPECT_EQ(cache->CacheTable(), table);
    EXPECT_TRUE(cache->TableIsConsistent());
    EXPECT_EQ(cache->GetRomFile(b), cacheDir + "/b-1/B.SMC");
  }

  fs::rename(a, roms + "/moved.zip");
  auto cache = Open(8);
  EXPECT_TRUE(cache->CacheTable().empty());
  EXPECT_EQ(CacheContents(), std::set<std::string>{});
  EXPECT_TRUE(platform::FileExists(b));
}

TEST_F(ZipCacheTest, LastGroupWithoutEndLineIsKeptButNotCounted) {
  std::string a = Archive("a.zip", {});
  std::string b = Archive("b.zip", {});
  WriteTestFile(cacheDir + "/x.smc", "x");
  WriteTestFile(cacheDir + "/y.smc", "y");
  Lines lines = {a, cacheDir + "/x.smc", "?end?", b, cacheDir + "/y.smc"};
  WriteTestFile(cacheDir + "/cache.tbl",
                lines[0] + "\n" + lines[1] + "\r" + lines[2] + "\r\n" + lines[3] + "\r\n" + lines[4]);
  {
    auto cache = Open(1);
    EXPECT_EQ(cache->CacheTable(), lines);
    EXPECT_EQ(cache->CountGroups(), 1);
    EXPECT_EQ(cache->FindCachedRom(b), cacheDir + "/y.smc");
  }
  EXPECT_EQ(ReadTestFile(cacheDir + "/cache.tbl"), FormatCacheTable(lines));
}

TEST_F(ZipCacheTest, EachArchiveGetsItsOwnGameBackWhenMemberNamesAgree) {
  std::string first = Archive("first.zip", {ZipFile("GAME.SFC", "first game")});
  std::string second = Archive("second.zip", {ZipFile("GAME.SFC", "second game")});
  {
    auto cache = Open(8);
    EXPECT_EQ(ReadTestFile(cache->GetRomFile(first)), "first game");
    EXPECT_EQ(ReadTestFile(cache->GetRomFile(second)), "second game");
    EXPECT_EQ(ReadTestFile(cache->GetRomFile(first)), "first game");
    cache->SetLimit(1);  // evicting the first group leaves the second's file alone
    EXPECT_EQ(ReadTestFile(cache->GetRomFile(second)), "second game");
  }
  auto cache = Open(8);  // and the table is still consistent at the next start
  EXPECT_EQ(cache->CountGroups(), 1);
  EXPECT_EQ(ReadTestFile(cache->GetRomFile(second)), "second game");
  EXPECT_EQ(CacheContents(), (std::set<std::string>{"second-1", "second-1/GAME.SFC"}));
}

TEST_F(ZipCacheTest, HostileArchiveWritesNothingOutsideItsFolder) {
  std::string archive =
      Archive("evil.zip", {ZipFile("../evil.smc", "x"), ZipFile(root / "abs.smc", "x"), ZipLink("link.smc", root / "t"),
                           ZipFile("line\nbreak.smc", "x"), ZipFile("\xE9t\xE9.smc", "ok")});
  TZipCache cache(cacheDir, 8);
  std::string rom = cache.GetRomFile(archive);

  EXPECT_EQ(rom, cacheDir + "/evil-1/\xE9t\xE9.smc");
  EXPECT_EQ(ReadTestFile(rom), "ok");
  EXPECT_EQ(cache.CacheTable(), (Lines{archive, rom, "?end?"}));
  EXPECT_EQ(CacheContents(), (std::set<std::string>{"evil-1", "evil-1/\xE9t\xE9.smc"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(root.Path()), fs::directory_iterator()), 3);  // roms, zipcache, tmp
}

TEST_F(ZipCacheTest, ArchivePathWithALineBreakIsNotRecorded) {
  std::string archive = Archive("two\nlines.zip", {ZipFile("G.SMC", "g")});
  TZipCache cache(cacheDir, 8);
  EXPECT_EQ(cache.GetRomFile(archive), "");
  EXPECT_TRUE(cache.CacheTable().empty());
  EXPECT_EQ(CacheContents(), std::set<std::string>{});
}

TEST_F(ZipCacheTest, ArchiveThatCannotBeOpenedIsNotRecordedSoTheNextStartPurgesNothing) {
  std::string good = Archive("good.zip", {ZipFile("G.SMC", "g")});
  WriteTestFile(roms + "/text.zip", "no archive");
  MakeTestDir(roms + "/folder.zip");
  std::string empty = Archive("empty.zip", {});
  // A FIFO named like an archive is refused at once: opened for reading it would wait for a writer.
  ASSERT_EQ(::mkfifo((roms + "/fifo.zip").c_str(), 0644), 0);
  Lines table;
  {
    auto cache = Open(8);
    cache->GetRomFile(good);
    table = cache->CacheTable();
    for (const std::string& bad :
         {roms + "/missing.zip", roms + "/text.zip", roms + "/folder.zip", empty, roms + "/fifo.zip"}) {
      auto result = std::async(std::launch::async, [&] { return cache->GetRomFile(bad); });
      if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << bad << " blocks";
        std::_Exit(1);
      }
      EXPECT_EQ(result.get(), "") << bad;
    }
    EXPECT_EQ(cache->CacheTable(), table);
    EXPECT_EQ(CacheContents(), (std::set<std::string>{"good-1", "good-1/G.SMC"}));
  }
  auto cache = Open(8);
  EXPECT_EQ(cache->CacheTable(), table);
  EXPECT_EQ(ReadTestFile(cache->GetRomFile(good)), "g");
}

TEST_F(ZipCacheTest, DeletesOnlyFilesInsideTheCacheFolder) {
  // A damaged or hand-edited table may name any file; the cache deletes only its own.
  std::string a = Archive("a.zip", {});
  std::string precious = root / "precious.smc";
  WriteTestFile(precious, "keep");
  WriteTestFile(cacheDir + "/own.smc", "own");
  MakeTestDir(cacheDir + "/g-1");
  WriteTestFile(cacheDir + "/g-1/f.smc", "f");
  WriteTestFile(cacheDir + "/cache.tbl",
                FormatCacheTable({a, precious, cacheDir + "/../precious.smc", cacheDir + "/g-1/f.smc",
                                  cacheDir + "/own.smc", "?end?", a, cacheDir + "/gone.smc", "?end?"}));
  auto cache = Open(8);  // gone.smc is missing: everything listed is purged

  EXPECT_TRUE(cache->CacheTable().empty());
  EXPECT_EQ(ReadTestFile(precious), "keep");
  EXPECT_EQ(CacheContents(), std::set<std::string>{});
  EXPECT_TRUE(platform::FileExists(a));
}

TEST_F(ZipCacheTest, FailedTableWriteLeavesNoUnlistedFiles) {
  std::string a = Archive("a.zip", {ZipFile("A.SMC", "a")});
  { Open(8)->GetRomFile(a); }
  ASSERT_TRUE(platform::FileExists(cacheDir + "/cache.tbl"));

  platform::SetWriteFaultForTesting([](const std::string& path) { return path.ends_with("cache.tbl"); });
  {
    auto cache = Open(8);
    cache->GetRomFile(Archive("b.zip", {ZipFile("B.SMC", "b")}));
  }
  platform::SetWriteFaultForTesting({});
  EXPECT_FALSE(platform::FileExists(cacheDir + "/cache.tbl"));
  EXPECT_EQ(CacheContents(), std::set<std::string>{});
  EXPECT_TRUE(Open(8)->CacheTable().empty());
}

TEST_F(ZipCacheTest, EvictionIgnoresFilesAlreadyGone) {
  std::string a = Archive("a.zip", {ZipFile("A.SMC", "a"), ZipFile("B.SMC", "b")});
  TZipCache cache(cacheDir, 8);
  std::string rom = cache.GetRomFile(a);
  fs::remove(rom);
  EXPECT_FALSE(cache.TableIsConsistent());
  cache.EvictOldest();
  EXPECT_TRUE(cache.CacheTable().empty());
  EXPECT_EQ(CacheContents(), std::set<std::string>{});
  cache.EvictOldest();  // an empty table stays empty
  EXPECT_EQ(cache.CountGroups(), 0);
}

}  // namespace
