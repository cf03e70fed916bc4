// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Tables far longer than any the cache writes (damaged, or made to hurt) shrink and purge in one
// pass each; a pass per group or per folder would take hours on these.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "zipcache/cache_table.h"
#include "zipcache/zip_cache.h"

using namespace kivo::zipcache;

namespace {

TEST(ZipCacheLargeTable, AHundredThousandGroupsShrinkAndTwoHundredThousandFoldersPurge) {
  TempDir root;
  const std::string cache = root / "zipcache", a = root / "a.zip", outside = root / "outside.smc";
  for (const char* folder : {"/first-1", "/last-1", "/kept-1"}) MakeTestDir(cache + folder);
  for (const std::string& file :
       {a, outside, cache + "/first-1/F.SMC", cache + "/last-1/L.SMC", cache + "/kept-1/K.SMC"})
    WriteTestFile(file, "x");

  std::vector<std::string> lines = {a, cache + "/first-1/F.SMC", "?end?"};
  for (int i = 0; i < 100000; ++i) lines.insert(lines.end(), {a, "?end?"});
  lines.insert(lines.end(), {a, cache + "/last-1/L.SMC", "?end?"});
  WriteTestFile(cache + "/cache.tbl", FormatCacheTable(lines));
  EXPECT_EQ(TZipCache(cache, 2).CacheTable(),
            (std::vector<std::string>{a, "?end?", a, cache + "/last-1/L.SMC", "?end?"}));
  EXPECT_FALSE(std::filesystem::exists(cache + "/first-1"));

  lines = {a, cache + "/kept-1/K.SMC", outside};
  for (int i = 0; i < 200000; ++i) lines.push_back(cache + "/g-" + std::to_string(i) + "/gone.smc");
  lines.push_back("?end?");
  WriteTestFile(cache + "/cache.tbl", FormatCacheTable(lines));
  EXPECT_TRUE(TZipCache(cache, 8).CacheTable().empty());  // files are missing: the whole table is purged
  EXPECT_FALSE(std::filesystem::exists(cache + "/kept-1"));
  EXPECT_EQ(ReadTestFile(outside), "x");
}

}  // namespace
