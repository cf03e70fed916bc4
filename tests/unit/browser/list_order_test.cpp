// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The scan sorts by a faster route than ListEntryLess (the order itself is in the folder_scan cases);
// both must agree, whatever the names.
#include "browser/list_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "browser/list_entries.h"

using namespace kivo::browser;

namespace {

// Long shared beginnings, names that differ only in letter case or only after their first 23 bytes,
// prefixes of one another, bytes above 127, empty captions, and every kind.
TEST(ListOrder, SortLinesGivesListEntryLessOrder) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {
      "a", "A", "b", "Z", "_", " ", "0", "\xE9", "\xC9", "~", "Super Mario World "};
  std::vector<std::string> names = {"abcdefghijklmnopqrstuvw", "abcdefghijklmnopqrstuv",   "abcdefghijklmnopqrstuvwx",
                                    "ABCDEFGHIJKLMNOPQRSTUVW", "abcdefghijklmnopqrstuvwA", "abcdefghijklmnopqrstuvwa"};
  for (int i = 0; i < 6000; ++i) {
    std::string name;
    for (int n = static_cast<int>(random() % 12); n > 0; --n) name += pieces[random() % pieces.size()];
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());

  ListEntries entries;
  std::vector<ListEntries::Line> lines;
  const char* const kExtensions[] = {".smc", ".SMC", ".zip", ".1"};
  for (size_t i = 0; i < names.size(); ++i) {
    const int kind = static_cast<int>(i % 6);
    const std::string extension = kind >= kRomFile ? kExtensions[i % 4] : "";
    if (kind != kDrive || !names[i].empty())
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
    ASSERT_EQ(entries.Name(lines[i]), entries.Name(expected[i])) << "at " << i;
    ASSERT_EQ(lines[i].kind, expected[i].kind) << "at " << i;
  }
}

}  // namespace
