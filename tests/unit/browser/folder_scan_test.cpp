// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The ROM list of a folder: every case in tests/data/folder_scan/ (its README gives the form), the
// folders a case file cannot make, and the two faster routes the scan takes, its sort and its filter
// of the games the settings mark, against the slow ones over more names than a case file holds.
#include "browser/folder_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "browser/configs_filter.h"
#include "browser/list_order.h"
#include "support/case_words.h"
#include "support/temp_dir.h"

using namespace kivo::app;
using namespace kivo::browser;

namespace {

const char* const kKinds[] = {"drive", "folder", "rom", "rom+", "zip", "zip+"};

std::vector<std::string> Listed(const ListEntries& entries) {
  std::vector<std::string> listed;
  for (const ListEntry& e : entries) {
    listed.push_back(std::string(kKinds[e.kind]) + " '" + std::string(e.caption) + "' " + std::string(e.fileName));
  }
  return listed;
}

class FolderScanCase : public testing::TestWithParam<std::string> {};

TEST_P(FolderScanCase, ListsWhatItSays) {
  KIVO_CASE_STATEMENTS(lines);
  TempDir dir;
  std::string settings;
  std::vector<std::string> drives, expected;
  for (const CaseStatement& line : lines) {
    const std::vector<std::string>& w = line.words;
    if (w[0] == "settings") {
      settings = line.Joined(1);
    } else if (w[0] == "skipped") {
      for (size_t i = 1; i < w.size(); ++i) WriteTestFile(dir / w[i], "x");
    } else {
      if (w[0] == "drive") drives.push_back(w.at(1));
      if (w[0] == "folder" && w.at(1) != "." && w[1] != "..") MakeTestDir(dir / w[1]);
      if (w.size() > 2) WriteTestFile(dir / w[2], "x");
      expected.push_back(w[0] + " '" + w.at(1) + "' " + (w.size() > 2 ? w[2] : ""));
    }
  }
  EXPECT_EQ(Listed(ScanFolder(drives, dir.Path(), IniDocument(settings))), expected);
}
INSTANTIATE_TEST_SUITE_P(folder_scan, FolderScanCase, testing::ValuesIn(CaseFiles("folder_scan")), CaseName);

TEST(FolderScan, TheRootListsNothingAboveItselfAndAMissingFolderOnlyTheDrives) {
  const std::vector<std::string> root = Listed(ScanFolder({}, "/", IniDocument("")));
  EXPECT_GT(root.size(), 1u);
  for (const std::string& entry : root) EXPECT_TRUE(entry != "folder '.' " && entry != "folder '..' ") << entry;
  EXPECT_EQ(Listed(ScanFolder({"/"}, "/no/such/folder", IniDocument(""))), std::vector<std::string>{"drive '/' "});
}

// Long shared beginnings, names that differ only in letter case or only after their first 23 bytes,
// prefixes of one another, bytes above 127, empty captions, and every kind.
TEST(FolderScan, SortLinesGivesListEntryLessOrder) {
  std::mt19937 random(7);
  const std::string pieces[] = {"a", "A", "b", "Z", "_", " ", "0", "\xE9", "\xC9", "~", "Super Mario World "};
  const std::string extensions[] = {".smc", ".SMC", ".zip", ".1"};
  std::vector<std::string> names = {"abcdefghijklmnopqrstuvw", "abcdefghijklmnopqrstuv",   "abcdefghijklmnopqrstuvwx",
                                    "ABCDEFGHIJKLMNOPQRSTUVW", "abcdefghijklmnopqrstuvwA", "abcdefghijklmnopqrstuvwa"};
  for (int i = 0; i < 6000; ++i) {
    std::string& name = names.emplace_back();
    for (int n = static_cast<int>(random() % 12); n > 0; --n) name += pieces[random() % std::size(pieces)];
  }
  std::sort(names.begin(), names.end());  // each name once, so that the order has no ties
  names.erase(std::unique(names.begin(), names.end()), names.end());

  ListEntries entries;
  std::vector<ListEntries::Line> lines;
  for (size_t i = 0; i < names.size(); ++i) {
    const int kind = static_cast<int>(i % 6);
    const std::string extension = kind >= kRomFile ? extensions[i % 4] : "";
    if (kind != kDrive || !names[i].empty())
      lines.push_back(*entries.Keep(names[i] + extension, extension.size(), kind));
  }
  std::shuffle(lines.begin(), lines.end(), random);
  std::vector<ListEntries::Line> expected = lines;
  std::sort(expected.begin(), expected.end(), [&entries](const ListEntries::Line& a, const ListEntries::Line& b) {
    return ListEntryLess(entries.Entry(a), entries.Entry(b));
  });
  SortLines(entries, lines);
  for (size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(entries.Name(lines[i]), entries.Name(expected[i])) << "at " << i;
    ASSERT_EQ(lines[i].kind, expected[i].kind) << "at " << i;
  }
}

// The filter may let through a name the settings do not mark (the cases show it never holds back
// one they do), but one letting everything through would be correct and useless: the scan would ask
// the settings for every file again. Names that share their beginning and end, as dumps of one
// collection do, must still be told apart, wherever they differ.
TEST(FolderScan, TheConfigsFilterRulesOutNearlyEveryNameThatIsNotAKey) {
  for (const auto& [head, tail] :
       {std::pair<std::string, std::string>{"Super Mario World ", " (U) [!]"}, {"Super Mario World (U) [!] ", ""}}) {
    auto name = [&](int i) { return head + std::to_string(i) + tail; };
    std::string ini = "[General]\nSound=1\n[Configs]\n";
    for (int i = 0; i < 2000; ++i) ini += name(i) + "=1\n";
    for (int i = 0; i < 2000; ++i) ini += "[" + name(i) + "]\nNTSC=1\n";
    const ConfigsFilter filter(ini);
    int letThrough = 0;
    for (int i = 2000; i < 22000; ++i) letThrough += filter.MayHold(name(i));
    EXPECT_LT(letThrough, 20000 / 20) << name(0);
    for (int i = 0; i < 2000; ++i) EXPECT_TRUE(filter.MayHold(name(i)));
  }
}

}  // namespace
