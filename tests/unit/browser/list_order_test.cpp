// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/list_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "browser/list_entries.h"

namespace {

// The scan's sort must give exactly ListEntryLess's order, whatever the names: long shared
// beginnings, names that differ only in letter case or only after their first 23 bytes, prefixes
// of one another, bytes above 127, empty captions, and every kind.
TEST(ListOrder, SortLinesGivesListEntryLessOrder) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {
      "a", "A", "b", "Z", "_", " ", "0", "\xE9", "\xC9", "~", "Super Mario World "};
  std::vector<std::string> names;
  for (int i = 0; i < 6000; ++i) {
    std::string name;
    for (int n = static_cast<int>(random() % 12); n > 0; --n) name += pieces[random() % pieces.size()];
    names.push_back(name);
  }
  for (const char* name : {"abcdefghijklmnopqrstuvw", "abcdefghijklmnopqrstuv", "abcdefghijklmnopqrstuvwx",
                           "ABCDEFGHIJKLMNOPQRSTUVW", "abcdefghijklmnopqrstuvwA", "abcdefghijklmnopqrstuvwa"})
    names.push_back(name);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());

  ListEntries entries;
  std::vector<ListEntries::Line> lines;
  const char* const kExtensions[] = {".smc", ".SMC", ".zip", ".1"};
  for (size_t i = 0; i < names.size(); ++i) {
    const int kind = static_cast<int>(i % 6);
    const std::string extension = kind >= kRomFile ? kExtensions[i % 4] : "";
    if (kind == kDrive && names[i].empty()) continue;
    lines.push_back(*entries.Keep(names[i] + extension, extension.size(), kind));
  }
  std::shuffle(lines.begin(), lines.end(), random);

  std::vector<ListEntries::Line> expected = lines;
  std::sort(expected.begin(), expected.end(), [&entries](const ListEntries::Line& a, const ListEntries::Line& b) {
    return ListEntryLess(entries.Entry(a), entries.Entry(b));
  });
  SortLines(entries, lines);
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(entries.Name(lines[i]), entries.Name(expected[i])) << "at " << i;
    EXPECT_EQ(lines[i].kind, expected[i].kind) << "at " << i;
  }
}

// The order itself where names share long beginnings: letter case is ignored wherever the names
// first differ, a proper prefix comes first, and only names equal without case go by their bytes.
TEST(ListOrder, LongNamesGoByTheirFirstDifferenceWithoutCase) {
  const std::vector<std::string> expected = {"Super Mario World 2 - Yoshi's Island (E)",
                                             "super mario world 2 - yoshi's island (U)",
                                             "Super Mario World 2 - Yoshi's Island (U) [!]",
                                             "Super Mario World 20",
                                             "SUPER MARIO WORLD 3",
                                             "Super Mario World 3"};
  std::vector<std::string> names = {expected[3], expected[5], expected[0], expected[4], expected[2], expected[1]};
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return ListEntryLess({a, kFolder, {}}, {b, kFolder, {}});
  });
  EXPECT_EQ(names, expected);
}

TEST(ListEntries, KeepEveryNameOnceAndSurviveACopy) {
  auto copy = [] {
    ListEntries entries;
    std::vector<ListEntries::Line> lines = {*entries.Keep("Mario.smc", 4, kRomFile), *entries.Keep("..", 0, kFolder),
                                            *entries.Keep("/media/usb", 0, kDrive)};
    entries.SetLines(lines);
    ListEntries kept = entries;  // the original goes away with its buffer
    return kept;
  }();
  ASSERT_EQ(copy.size(), 3u);
  EXPECT_EQ(copy[0].caption, "Mario");
  EXPECT_EQ(copy[0].fileName, "Mario.smc");
  EXPECT_EQ(copy[0].kind, kRomFile);
  EXPECT_EQ(copy[1].caption, "..");
  EXPECT_TRUE(copy[1].fileName.empty());
  EXPECT_EQ(copy[2].caption, "/media/usb");
  EXPECT_EQ(copy[2].kind, kDrive);
}

}  // namespace
