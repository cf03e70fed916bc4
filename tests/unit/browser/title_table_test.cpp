// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The table of titles read before: names kept byte for byte through the file, a record served only
// while its file is unchanged, a damaged file read line by line, the bound, and a failed write that
// leaves the old file whole.
#include "browser/title_table.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/temp_dir.h"

using namespace kivo::browser;
using kivo::rom::RomTitle;

namespace {

TitleRecord Record(std::int64_t size, std::int64_t modified, std::string title, std::string region = "Japan") {
  return TitleRecord{size, modified, RomTitle{std::move(title), std::move(region)}};
}

TEST(TitleTable, KeepsHostileNamesByteForByteThroughItsFile) {
  const std::vector<TitleLine> lines = {
      {"/roms/tab\there.smc", Record(1, 2, "TAB\tTITLE")},
      {"/roms/cr\rlf\n.sfc", Record(0, -5, "", "")},
      {"/roms/back\\slash\\t\\.smc", Record(3, 4, "\\n not a line end", "USA")},
      {"/roms/\xFF\xFE not utf-8 \x80.fig", Record(5, 6, "\xEF\xBD\xB6\xEF\xBD\xB0", "Europe")},
      {"/roms/" + std::string(20000, 'n') + ".smc", Record(std::int64_t{1} << 40, INT64_MAX, std::string(21, 'T'))},
  };
  const std::string bytes = TitleTable::Format(lines);
  // One line per record, whatever the names hold.
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 5);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 0);
  EXPECT_EQ(TitleTable::Parse(bytes), lines);

  TempDir dir;
  const std::string file = dir / "cache/titles.tbl";
  {
    TitleTable table(file);
    EXPECT_EQ(table.Size(), 0u);
    for (const TitleLine& line : lines) table.Put(line.path, line.record);
    EXPECT_TRUE(table.Changed());
    ASSERT_TRUE(table.Save());
    EXPECT_FALSE(table.Changed());
    table.Put(lines[0].path, lines[0].record);  // nothing new
    EXPECT_FALSE(table.Changed());
  }
  // A restart finds every record.
  const TitleTable again(file);
  EXPECT_EQ(again.Lines(), lines);
  const TitleRecord* found = again.Find(lines[3].path, 5, 6);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->title.title, "\xEF\xBD\xB6\xEF\xBD\xB0");
}

TEST(TitleTable, ServesARecordOnlyWhileItsFileIsUnchanged) {
  TempDir dir;
  TitleTable table(dir / "titles.tbl");
  table.Put("/roms/game.smc", Record(1024, 77, "GAME"));
  EXPECT_NE(table.Find("/roms/game.smc", 1024, 77), nullptr);
  EXPECT_EQ(table.Find("/roms/game.smc", 1025, 77), nullptr);
  EXPECT_EQ(table.Find("/roms/game.smc", 1024, 78), nullptr);
  EXPECT_EQ(table.Find("/roms/GAME.smc", 1024, 77), nullptr);
  // Read again after the change, the new record replaces the old.
  table.Put("/roms/game.smc", Record(1025, 78, "GAME 2"));
  EXPECT_EQ(table.Find("/roms/game.smc", 1024, 77), nullptr);
  ASSERT_NE(table.Find("/roms/game.smc", 1025, 78), nullptr);
  EXPECT_EQ(table.Find("/roms/game.smc", 1025, 78)->title.title, "GAME 2");
  EXPECT_EQ(table.Size(), 1u);
}

TEST(TitleTable, SkipsDamagedLinesAndKeepsTheRest) {
  const std::string good = "/a.smc\t10\t20\tJapan\tA\n";
  const std::string damaged[] = {
      "/b.smc\t10\t20\tJapan\n",            // a field short
      "/b.smc\t10\t20\tJapan\tB\textra\n",  // a field too many
      "/b.smc\t-1\t20\tJapan\tB\n",         // negative size
      "/b.smc\t1x\t20\tJapan\tB\n",         // not a number
      "/b.smc\t+1\t20\tJapan\tB\n",         //
      "/b.smc\t99999999999999999999\t20\tJapan\tB\n",
      "/b.smc\t\t20\tJapan\tB\n",
      "\t10\t20\tJapan\tB\n",           // no path
      "/b\\q.smc\t10\t20\tJapan\tB\n",  // unknown escape
      "/b.smc\t10\t20\tJapan\tB\\\n",   // lone escape
      "/b\r.smc\t10\t20\tJapan\tB\n",   // raw CR
      "\n",
  };
  std::string bytes = good;
  for (const std::string& line : damaged) bytes += line + good;
  // The last line, cut short by the end of the file, might hold half a title: skipped.
  bytes += "/c.smc\t10\t20\tJapan\tHALF TIT";
  const std::vector<TitleLine> lines = TitleTable::Parse(bytes);
  ASSERT_EQ(lines.size(), std::size(damaged) + 1);
  for (const TitleLine& line : lines) EXPECT_EQ(line, (TitleLine{"/a.smc", Record(10, 20, "A")}));

  // Every cut of a file reads without a fault and gives whole records only.
  const std::string file = TitleTable::Format({{"/x.smc", Record(1, 2, "X")}, {"/y\t.smc", Record(3, 4, "Y\\")}});
  for (size_t cut = 0; cut <= file.size(); ++cut) {
    for (const TitleLine& line : TitleTable::Parse(file.substr(0, cut)))
      EXPECT_TRUE(line.path == "/x.smc" || line.path == "/y\t.smc");
  }
}

TEST(TitleTable, DropsTheOldestRecordsBeyondItsBound) {
  TempDir dir;
  const std::string file = dir / "titles.tbl";
  TitleTable table(file);
  const size_t extra = 10;
  for (size_t i = 0; i < TitleTable::kMaxRecords + extra; ++i) table.Put("/r/" + std::to_string(i), Record(1, 1, "T"));
  EXPECT_EQ(table.Size(), TitleTable::kMaxRecords);
  EXPECT_EQ(table.Find("/r/0", 1, 1), nullptr);
  EXPECT_EQ(table.Find("/r/" + std::to_string(extra - 1), 1, 1), nullptr);
  EXPECT_NE(table.Find("/r/" + std::to_string(extra), 1, 1), nullptr);
  // A record read again counts as new: it outlives those put after it once.
  table.Put("/r/" + std::to_string(extra), Record(2, 2, "T"));
  table.Put("/r/new", Record(1, 1, "T"));
  EXPECT_NE(table.Find("/r/" + std::to_string(extra), 2, 2), nullptr);
  EXPECT_EQ(table.Find("/r/" + std::to_string(extra + 1), 1, 1), nullptr);
  ASSERT_TRUE(table.Save());
  EXPECT_EQ(TitleTable(file).Size(), TitleTable::kMaxRecords);

  // The file's bytes are bounded as well: the newest records that fit are written.
  const std::string longName(1 << 20, 'L');
  std::vector<TitleLine> lines;
  for (int i = 0; i < 40; ++i) lines.push_back({longName + std::to_string(i), Record(1, 1, "T")});
  const std::vector<TitleLine> kept = TitleTable::Parse(TitleTable::Format(lines));
  EXPECT_LE(TitleTable::Format(lines).size(), TitleTable::kMaxFileBytes);
  ASSERT_FALSE(kept.empty());
  EXPECT_LT(kept.size(), lines.size());
  EXPECT_EQ(kept.back(), lines.back());
  EXPECT_EQ(kept.front(), lines[lines.size() - kept.size()]);
}

TEST(TitleTable, AFailedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string file = dir / "titles.tbl";
  TitleTable table(file);
  table.Put("/roms/one.smc", Record(1, 1, "ONE"));
  ASSERT_TRUE(table.Save());
  const std::string before = ReadTestFile(file);

  table.Put("/roms/two.smc", Record(2, 2, "TWO"));
  kivo::platform::SetWriteFaultForTesting([&](const std::string& path) { return path == file; });
  const bool saved = table.Save();
  kivo::platform::SetWriteFaultForTesting({});
  EXPECT_FALSE(saved);
  EXPECT_TRUE(table.Changed());
  EXPECT_EQ(ReadTestFile(file), before);
  EXPECT_EQ(TitleTable(file).Size(), 1u);
  EXPECT_TRUE(table.Save());
  EXPECT_EQ(TitleTable(file).Size(), 2u);
}

}  // namespace
