// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What the search text leaves in the list, the details view's orders, the gathered lists and the
// names that show their extensions.
#include <gtest/gtest.h>

#include "app/game_records.h"
#include "app/ini_document.h"
#include "browser/game_lists.h"
#include "browser/list_filter.h"
#include "browser/list_sort.h"
#include "support/temp_dir.h"

using namespace kivo::browser;

namespace {

// A list as a folder gives it: the gathered lists, a drive, folders, then files by name.
struct Listed {
  GameList list;
  std::vector<EntryFacts> facts;
};

Listed FolderOf(const std::vector<std::pair<std::string, EntryFacts>>& files) {
  TempDir dir;
  MakeTestDir(dir / "sub");
  for (const auto& [name, facts] : files) WriteTestFile(dir / name, "x");
  Listed listed{ListFolder({"/"}, dir.Path(), kivo::app::IniDocument("")), {}};
  listed.facts.resize(listed.list.entries.size());
  for (size_t row = 0; row < listed.list.entries.size(); ++row) {
    for (const auto& [name, facts] : files)
      if (listed.list.entries[row].fileName == name) listed.facts[row] = facts;
  }
  return listed;
}

std::vector<std::string> Names(const Listed& listed, const std::vector<std::uint32_t>& rows) {
  std::vector<std::string> names;
  for (std::uint32_t row : rows) {
    const ListEntry entry = listed.list.entries[row];
    names.emplace_back(entry.IsFile() ? entry.fileName : entry.caption);
  }
  return names;
}

EntryFacts Titled(const std::string& title, const std::string& region = "", std::int64_t size = 0,
                  std::int64_t starts = 0) {
  EntryFacts facts;
  facts.title = title;
  facts.region = region;
  facts.size = size;
  facts.starts = starts;
  facts.lastStart = starts * 100;
  return facts;
}

TEST(ListSearchTest, NarrowsFilesByNameOrTitleInAnyCaseAndKeepsEveryWayOut) {
  const Listed listed = FolderOf({{"Dragon Blaster Ocean.smc", Titled("DRAGON BLASTER OC")},
                                  {"db2.sfc", Titled("DRAGON BLASTER 2")},
                                  {"Moss Knight.zip", Titled("")},
                                  {"other.fig", Titled("STAR OCEAN")}});
  const std::vector<std::string> ways = {"Favourites", "Recently played", "/", ".", "..", "sub"};
  auto found = [&](const std::string& text) {
    std::vector<std::string> names = Names(listed, FilterRows(listed.list.entries, listed.facts, text));
    EXPECT_TRUE(std::equal(ways.begin(), ways.end(), names.begin())) << text;
    return std::vector<std::string>(names.begin() + static_cast<std::ptrdiff_t>(ways.size()), names.end());
  };
  EXPECT_EQ(found(""), (std::vector<std::string>{"db2.sfc", "Dragon Blaster Ocean.smc", "Moss Knight.zip", "other.fig"}));
  EXPECT_EQ(found("dragon blaster"), (std::vector<std::string>{"db2.sfc", "Dragon Blaster Ocean.smc"}));
  EXPECT_EQ(found("OCEAN"), (std::vector<std::string>{"Dragon Blaster Ocean.smc", "other.fig"}));
  EXPECT_EQ(found(".ZIP"), (std::vector<std::string>{"Moss Knight.zip"}));
  EXPECT_EQ(found("sub"), (std::vector<std::string>{}));
  EXPECT_EQ(found("dragon blaster ocean!"), (std::vector<std::string>{}));
  // Bytes beyond ASCII are matched as they are.
  EXPECT_TRUE(ContainsFolded("Caf\xC3\xA9 World", "caf\xC3\xA9"));
  EXPECT_FALSE(ContainsFolded("Caf\xC3\x89 World", "caf\xC3\xA9"));
  EXPECT_TRUE(ContainsFolded("ab", "ab") && !ContainsFolded("a", "ab") && ContainsFolded("aAb", "ab"));
}

TEST(ListSortTest, EachColumnOrdersTheFilesBelowTheWaysOutWithTiesByName) {
  const Listed listed = FolderOf({{"a.smc", Titled("zeta", "USA", 300, 1)},
                                  {"b.zip", Titled("", "", 100, 0)},
                                  {"c.smc", Titled("Alpha", "Japan", 200, 5)},
                                  {"d.sfc", Titled("ALPHA", "USA", 200, 5)}});
  auto sorted = [&](ListColumn column, bool descending) {
    std::vector<std::uint32_t> rows = FilterRows(listed.list.entries, listed.facts, "");
    SortRows(rows, listed.list.entries, listed.facts, column, descending);
    std::vector<std::string> names = Names(listed, rows);
    EXPECT_EQ(names[0], "Favourites");
    EXPECT_EQ(names[5], "sub");
    return std::vector<std::string>(names.begin() + 6, names.end());
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(sorted(ListColumn::Name, false), (V{"a.smc", "b.zip", "c.smc", "d.sfc"}));
  EXPECT_EQ(sorted(ListColumn::Name, true), (V{"d.sfc", "c.smc", "b.zip", "a.smc"}));
  // Alike in letter case: by name, whichever way; no title yet: last, whichever way.
  EXPECT_EQ(sorted(ListColumn::Title, false), (V{"c.smc", "d.sfc", "a.smc", "b.zip"}));
  EXPECT_EQ(sorted(ListColumn::Title, true), (V{"a.smc", "c.smc", "d.sfc", "b.zip"}));
  EXPECT_EQ(sorted(ListColumn::Region, false), (V{"c.smc", "a.smc", "d.sfc", "b.zip"}));
  EXPECT_EQ(sorted(ListColumn::Size, true), (V{"a.smc", "c.smc", "d.sfc", "b.zip"}));
  EXPECT_EQ(sorted(ListColumn::Type, false), (V{"a.smc", "c.smc", "d.sfc", "b.zip"}));
  EXPECT_EQ(sorted(ListColumn::Played, true), (V{"c.smc", "d.sfc", "a.smc", "b.zip"}));
  EXPECT_EQ(sorted(ListColumn::LastPlayed, false), (V{"b.zip", "a.smc", "c.smc", "d.sfc"}));
}

TEST(GameListsTest, GatheredListsHoldTheGamesThatStillExistWithTheirFolders) {
  TempDir dir;
  MakeTestDir(dir / "one");
  MakeTestDir(dir / "two");
  for (const char* name : {"one/Game.smc", "two/Game.zip", "two/Beta.sfc"}) WriteTestFile(dir / name, "x");
  const std::string ini = dir / "kivo.ini";
  for (const char* name : {"two/Beta.sfc", "one/Game.smc", "gone/Removed.smc", "two/Game.zip"})
    kivo::app::GameRecords::ToggleFavourite(ini, dir / name);
  int when = 10;
  for (const char* name : {"one/Game.smc", "two/Beta.sfc", "gone/Removed.smc", "one/Game.smc"})
    kivo::app::GameRecords::RecordStart(ini, dir / name, when++);
  const kivo::app::GameRecords records = kivo::app::GameRecords::Load(ini);
  const kivo::app::IniDocument settings("[Configs]\nBeta=1\n");

  auto lines = [&](const GameList& list) {
    std::vector<std::string> shown;
    for (size_t row = 0; row < list.entries.size(); ++row) {
      const ListEntry entry = list.entries[row];
      shown.push_back(entry.IsFile() ? list.PathOf(row, "/elsewhere") + " " + std::to_string(entry.kind)
                                     : std::string(entry.caption));
    }
    return shown;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(lines(ListGathered(ListSource::Favourites, {"/"}, records, settings)),
            (V{"Favourites", "Recently played", "/", "..", dir / "two/Beta.sfc 3", dir / "one/Game.smc 2",
               dir / "two/Game.zip 4"}));
  EXPECT_EQ(lines(ListGathered(ListSource::RecentlyPlayed, {"/"}, records, settings)),
            (V{"Favourites", "Recently played", "/", "..", dir / "one/Game.smc 2", dir / "two/Beta.sfc 3"}));

  const GameList folder = ListFolder({"/"}, dir / "two", settings);
  const std::vector<EntryFacts> facts = RecordFacts(folder, dir / "two", records);
  for (size_t row = 0; row < folder.entries.size(); ++row) {
    if (folder.entries[row].fileName == "Beta.sfc") {
      EXPECT_TRUE(facts[row].favourite);
      EXPECT_EQ(facts[row].starts, 1);
      EXPECT_EQ(facts[row].lastStart, 11);
    }
  }
}

TEST(GameListsTest, NamesThatReadAlikeShowTheirExtensions) {
  TempDir dir;
  for (const char* name : {"Game.smc", "Game.sfc", "GAME.zip", "Other.smc", "Game"}) WriteTestFile(dir / name, "x");
  MakeTestDir(dir / "Other");
  const GameList list = ListFolder({"/"}, dir.Path(), kivo::app::IniDocument(""));
  const std::vector<bool> shared = CaptionsShared(list.entries);
  std::vector<std::string> sharing;
  for (size_t row = 0; row < list.entries.size(); ++row)
    if (shared[row]) sharing.emplace_back(list.entries[row].fileName);
  // A folder of the same name is no file the user could mistake for the game.
  EXPECT_EQ(sharing, (std::vector<std::string>{"GAME.zip", "Game.sfc", "Game.smc"}));
  // Asked line by line, as the window asks, a folder's listing says the same, its first and last
  // lines included.
  for (size_t row = 0; row < list.entries.size(); ++row)
    EXPECT_EQ(NeighbourSharesCaption(list.entries, row), shared[row]) << list.entries[row].fileName;
}

}  // namespace
