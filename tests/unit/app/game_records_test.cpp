// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The favourites and the starts of every game, kept beside kivo.ini and changed by the window and
// kivo-tool alike.
#include "app/game_records.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "platform/files.h"
#include "support/temp_dir.h"

using kivo::app::GameRecords;
using kivo::app::PlayRecord;

namespace {

// Names no line of a text file holds as they are: line ends, tabs, the escape itself, bytes that
// are no UTF-8, blanks at either end, and a name as long as a path gets.
const std::vector<std::string> kHostileNames = {
    "/roms/Two\nLines.smc", "/roms/Car\rriage.smc", "/roms/Tab\there.sfc", "/roms/100%25 sure%.smc",
    "/roms/Caf\xE9 \xFF.smc", " /roms/blank at both ends.smc ", "/roms/" + std::string(3000, 'x') + ".zip",
    "C:\\Games\\Windows path.smc"};

TEST(GameRecordsTest, StarsAndStartsSurviveARestartWhateverTheGamesAreCalled) {
  TempDir dir;
  const std::string ini = dir / "kivo.ini";
  for (const std::string& name : kHostileNames) EXPECT_TRUE(GameRecords::ToggleFavourite(ini, name)) << name;
  EXPECT_FALSE(GameRecords::ToggleFavourite(ini, kHostileNames[2]));
  for (size_t i = 0; i < kHostileNames.size(); ++i) GameRecords::RecordStart(ini, kHostileNames[i], 1000 + i);
  GameRecords::RecordStart(ini, kHostileNames[0], 5000);

  const GameRecords records = GameRecords::Load(ini);
  for (const std::string& name : kHostileNames) EXPECT_EQ(records.IsFavourite(name), name != kHostileNames[2]);
  EXPECT_EQ(records.Favourites().size(), kHostileNames.size() - 1);
  ASSERT_NE(records.Played(kHostileNames[0]), nullptr);
  EXPECT_EQ(records.Played(kHostileNames[0])->starts, 2);
  EXPECT_EQ(records.Played(kHostileNames[0])->lastStart, 5000);
  EXPECT_EQ(records.Played("/roms/never.smc"), nullptr);
  const std::vector<PlayRecord> recent = records.Recent(3);
  ASSERT_EQ(recent.size(), 3u);
  EXPECT_EQ(recent[0].path, kHostileNames[0]);
  EXPECT_EQ(recent[1].path, kHostileNames.back());
  EXPECT_EQ(recent[2].path, kHostileNames[kHostileNames.size() - 2]);
  // The file is text, one game a line, and what it holds reads back to the same bytes.
  std::string bytes;
  ASSERT_TRUE(kivo::platform::ReadWholeFile(GameRecords::FileBeside(ini), bytes, GameRecords::kFileLimit));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 7 + 8);
  EXPECT_EQ(GameRecords::Parse(bytes).Format(), bytes);
}

TEST(GameRecordsTest, AWriteTheDiskRefusesRaisesAndLosesNothing) {
  TempDir dir;
  const std::string ini = dir / "kivo.ini";
  GameRecords::ToggleFavourite(ini, "/roms/Kept.smc");
  GameRecords::RecordStart(ini, "/roms/Kept.smc", 77);
  const std::string before = ReadTestFile(GameRecords::FileBeside(ini));
  kivo::platform::SetWriteFaultForTesting([](const std::string&) { return true; });
  EXPECT_THROW(GameRecords::ToggleFavourite(ini, "/roms/New.smc"), kivo::common::KivoError);
  EXPECT_THROW(GameRecords::RecordStart(ini, "/roms/Kept.smc", 99), kivo::common::KivoError);
  kivo::platform::SetWriteFaultForTesting({});
  EXPECT_EQ(ReadTestFile(GameRecords::FileBeside(ini)), before);
  const GameRecords records = GameRecords::Load(ini);
  EXPECT_TRUE(records.IsFavourite("/roms/Kept.smc"));
  EXPECT_FALSE(records.IsFavourite("/roms/New.smc"));
  EXPECT_EQ(records.Played("/roms/Kept.smc")->starts, 1);
}

TEST(GameRecordsTest, DamagedOrForeignFilesGiveWhatTheyHoldIntactAndNoMore) {
  // Lines that no writer makes are skipped; the ones around them are kept.
  const GameRecords records = GameRecords::Parse(
      "KIVO games 1\r\nF\t/ok/a.smc\r\nF\t/bad/%zz.smc\nF\t/bad/%4\nF\t\nX\t/what.smc\nP\t-1\t5\t/neg.smc\n"
      "P\t2\tlater\t/time.smc\nP\t3\t50\t/ok/b.smc\nP\t0\t50\t/zero.smc\nP\t3\t50\nF\t/ok/a.smc\nF\t/cut");
  EXPECT_EQ(records.Favourites(), (std::vector<std::string>{"/ok/a.smc", "/cut"}));
  ASSERT_EQ(records.Recent(10).size(), 1u);
  EXPECT_EQ(records.Recent(10)[0].path, "/ok/b.smc");
  EXPECT_TRUE(GameRecords::Parse("").Favourites().empty());
  EXPECT_TRUE(GameRecords::Parse("[General]\nF\t/a.smc\n").Favourites().empty());
  EXPECT_TRUE(GameRecords::Parse(std::string("KIVO games 1\nF\t/a\0b.smc\n", 24)).Favourites().empty());
}

TEST(GameRecordsTest, OnlyTheNewestRecordsAreKept) {
  std::string bytes = "KIVO games 1\n";
  for (size_t i = 0; i < GameRecords::kMaxPlayRecords + 10; ++i)
    bytes += "P\t1\t" + std::to_string(i + 1) + "\t/g/" + std::to_string(i) + ".smc\n";
  const GameRecords records = GameRecords::Parse(bytes);
  EXPECT_EQ(records.Played("/g/9.smc"), nullptr);
  ASSERT_NE(records.Played("/g/10.smc"), nullptr);
  EXPECT_EQ(records.Recent(1)[0].path, "/g/" + std::to_string(GameRecords::kMaxPlayRecords + 9) + ".smc");
  EXPECT_EQ(records.Recent(100000).size(), GameRecords::kMaxPlayRecords);
}

TEST(GameRecordsTest, TimesAreWrittenAsIso8601InUtc) {
  EXPECT_EQ(kivo::app::IsoTime(0), "");
  EXPECT_EQ(kivo::app::IsoTime(1), "1970-01-01T00:00:01Z");
  EXPECT_EQ(kivo::app::IsoTime(1796722676), "2026-12-08T09:37:56Z");
  EXPECT_EQ(kivo::app::IsoTime(951782400), "2000-02-29T00:00:00Z");
}

}  // namespace
