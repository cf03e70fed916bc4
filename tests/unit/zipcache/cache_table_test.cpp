// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/cache_table.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(CacheTableTest, EveryLineEndingEndsALine) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a.zip\r\nf.sfc\r\n?end?\r\n", {"a.zip", "f.sfc", "?end?"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},  // lone CR, lone LF, and no ending after the last
      {"a\n\r\nb\r\r\n", {"a", "", "b", ""}},  // empty lines are lines
      {"\r\n", {""}},
      {std::string("x\0y\r\n", 5), {std::string("x\0y", 3)}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCacheTable(c.bytes), c.lines) << c.bytes;
}

TEST(CacheTableTest, FormatEndsEveryLineWithCrLfAndReadsBack) {
  Lines lines = {"/roms/a.zip", "/cache/a-1/GAME.SFC", "?end?", ""};
  std::string bytes = FormatCacheTable(lines);
  EXPECT_EQ(bytes, "/roms/a.zip\r\n/cache/a-1/GAME.SFC\r\n?end?\r\n\r\n");
  EXPECT_EQ(ParseCacheTable(bytes), lines);
  EXPECT_EQ(FormatCacheTable({}), "");
}

TEST(CacheTableTest, LineBreaksAndNulCannotBeTableLines) {
  EXPECT_TRUE(FitsTableLine("/roms/\xE9t\xE9 game.zip"));
  EXPECT_FALSE(FitsTableLine("a\nb"));
  EXPECT_FALSE(FitsTableLine("a\rb"));
  EXPECT_FALSE(FitsTableLine(std::string("a\0b", 3)));
}

}  // namespace
