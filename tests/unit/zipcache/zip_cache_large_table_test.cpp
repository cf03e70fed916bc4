// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Tables far longer than any the cache writes (damaged, or made to hurt) load, shrink and purge in
// one pass each; a pass per group or per folder would take hours on these.
#include <gtest/gtest.h>

#include "unit/zipcache/zip_cache_fixture.h"
#include "zipcache/cache_table.h"

namespace {

using Lines = std::vector<std::string>;

class ZipCacheLargeTableTest : public ZipCacheTest {
 protected:
  std::string CacheFile(const std::string& folder, const std::string& name) {
    MakeTestDir(cacheDir + "/" + folder);
    WriteTestFile(cacheDir + "/" + folder + "/" + name, name);
    return cacheDir + "/" + folder + "/" + name;
  }
};

TEST_F(ZipCacheLargeTableTest, ShrinkingATableOfAHundredThousandGroupsKeepsTheNewest) {
  const std::string a = Archive("a.zip", {});
  const std::string first = CacheFile("first-1", "F.SMC");
  const std::string last = CacheFile("last-1", "L.SMC");
  Lines lines = {a, first, "?end?"};
  for (int i = 0; i < 100000; ++i) lines.insert(lines.end(), {a, "?end?"});
  lines.insert(lines.end(), {a, last, "?end?"});
  WriteTestFile(cacheDir + "/cache.tbl", FormatCacheTable(lines));

  auto cache = Open(2);
  EXPECT_EQ(cache->CacheTable(), (Lines{a, "?end?", a, last, "?end?"}));
  EXPECT_EQ(CacheContents(), (std::set<std::string>{"last-1", "last-1/L.SMC"}));
}

TEST_F(ZipCacheLargeTableTest, PurgingATableOfTwoHundredThousandFoldersDeletesOnlyWhatItMay) {
  const std::string a = Archive("a.zip", {});
  const std::string outside = root / "outside.smc";
  WriteTestFile(outside, "keep");
  Lines lines = {a, CacheFile("kept-1", "K.SMC"), outside};
  for (int i = 0; i < 200000; ++i) lines.push_back(cacheDir + "/g-" + std::to_string(i) + "/gone.smc");
  lines.push_back("?end?");
  WriteTestFile(cacheDir + "/cache.tbl", FormatCacheTable(lines));

  auto cache = Open(8);  // files are missing: the whole table is purged
  EXPECT_TRUE(cache->CacheTable().empty());
  EXPECT_EQ(CacheContents(), std::set<std::string>{});
  EXPECT_EQ(ReadTestFile(outside), "keep");
}

}  // namespace
