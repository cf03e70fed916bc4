// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The titles of a ROM list's files: read once from the files (images and archives), then served from
// the table while the files stay as they were, and read again once one changes.
#include "browser/title_scan.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/files.h"
#include "support/rom_builder.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"

using namespace kivo::browser;
using kivo::rom::RomTitle;

namespace {

std::string Image(const std::string& title, RomLayout layout, bool copier, std::uint8_t country) {
  SnesRomLayout desc;
  desc.title = title;
  desc.layout = layout;
  desc.copierHeader = copier;
  desc.country = country;
  desc.sizeMbit = 1;
  return BuildSnesRom(desc);
}

}  // namespace

namespace kivo::rom {
void PrintTo(const RomTitle& title, std::ostream* out) { *out << '"' << title.title << "\" \"" << title.region << '"'; }
}  // namespace kivo::rom

namespace {

std::map<size_t, GameFacts> Scan(const std::vector<std::string>& paths, TitleTable& table) {
  std::atomic<bool> stop{false};
  std::map<size_t, GameFacts> found;
  ScanTitles(paths, table, stop, [&](size_t index, const GameFacts& facts) { found.emplace(index, facts); });
  return found;
}

class TitleScan : public testing::Test {
 protected:
  void SetUp() override {
    WriteTestFile(dir_ / "lorom.smc", Image("LO GAME", RomLayout::LoRom, false, 1));
    WriteTestFile(dir_ / "hirom.sfc", Image("HI GAME", RomLayout::HiRom, true, 0));
    WriteTestFile(dir_ / "plain.smc", Image("", RomLayout::NoHeader, false, 0));
    WriteTestFile(dir_ / "empty.fig", "");
    WriteZip(dir_ / "packed.zip",
             {ZipFile("readme.txt", "x"), ZipFile("game.smc", Image("ZIPPED", RomLayout::LoRom, false, 2), true)});
    MakeTestDir(dir_ / "folder.smc");
    paths_ = {dir_ / "lorom.smc", dir_ / "missing.smc", dir_ / "hirom.sfc", dir_ / "plain.smc",
              dir_ / "empty.fig", dir_ / "packed.zip",  dir_ / "folder.smc"};
  }
  void TearDown() override { kivo::platform::SetReadFaultForTesting({}); }

  // What the first scan must find, by index of paths_.
  std::map<size_t, RomTitle> ExpectedTitles() const {
    return {{0, {"LO GAME", "USA"}}, {2, {"HI GAME", "Japan"}}, {3, {}}, {4, {}}, {5, {"ZIPPED", "Europe"}}, {6, {}}};
  }
  void ExpectFound(const std::map<size_t, GameFacts>& found) const {
    std::map<size_t, RomTitle> titles;
    for (const auto& [index, facts] : found) titles[index] = facts.title;
    EXPECT_EQ(titles, ExpectedTitles());
    for (size_t index : {0, 2, 3, 4, 5}) {
      const std::optional<kivo::platform::FileFacts> file = kivo::platform::StatFile(paths_[index]);
      ASSERT_TRUE(file && file->regular);
      EXPECT_EQ(found.at(index).size, file->size);
      EXPECT_EQ(found.at(index).modified, file->modified);
    }
    EXPECT_EQ(found.at(0).size, 131072);
  }

  TempDir dir_;
  std::vector<std::string> paths_;
};

TEST_F(TitleScan, ReadsEachFileOnceAndServesTheTableAfterARestart) {
  const std::string tableFile = dir_ / "cache/titles.tbl";
  {
    TitleTable table(tableFile);
    ExpectFound(Scan(paths_, table));
    EXPECT_TRUE(table.Changed());
    ASSERT_TRUE(table.Save());
  }
  // Every read of a game fails now: the titles can only come from the table.
  kivo::platform::SetReadFaultForTesting([&](const std::string& path) { return path != tableFile; });
  TitleTable table(tableFile);
  ExpectFound(Scan(paths_, table));
  EXPECT_FALSE(table.Changed());

  // A file that changed is read again.
  kivo::platform::SetReadFaultForTesting({});
  WriteTestFile(dir_ / "lorom.smc", Image("NEW GAME", RomLayout::HiRom, false, 3));
  EXPECT_EQ(Scan(paths_, table).at(0).title, (RomTitle{"NEW GAME", "Sweden"}));
  EXPECT_TRUE(table.Changed());
}

TEST_F(TitleScan, AFileThatCannotBeReadHasItsSizeAndIsTriedAgainNextTime) {
  TitleTable table(dir_ / "titles.tbl");
  kivo::platform::SetReadFaultForTesting([&](const std::string& path) { return path == paths_[0]; });
  const std::map<size_t, GameFacts> found = Scan(paths_, table);
  EXPECT_EQ(found.at(0).title, RomTitle{});
  EXPECT_EQ(found.at(0).size, 131072);
  EXPECT_EQ(found.at(2).title.title, "HI GAME");

  kivo::platform::SetReadFaultForTesting({});
  ExpectFound(Scan(paths_, table));
}

TEST_F(TitleScan, StopsSoonAfterTheFlagIsSet) {
  TitleTable table(dir_ / "titles.tbl");
  std::atomic<bool> stop{false};
  std::vector<size_t> calls;
  ScanTitles(paths_, table, stop, [&](size_t index, const GameFacts&) {
    calls.push_back(index);
    stop = true;
  });
  EXPECT_EQ(calls, std::vector<size_t>{0});
  ScanTitles(paths_, table, stop, [&](size_t index, const GameFacts&) { calls.push_back(index); });
  EXPECT_EQ(calls, std::vector<size_t>{0});
}

}  // namespace
