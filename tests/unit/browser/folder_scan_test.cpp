// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The ROM list of a folder: every case in tests/data/folder_scan/ (its README gives the form), and
// the folders a case file cannot make.
#include "browser/folder_scan.h"

#include <gtest/gtest.h>

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

TEST(FolderScan, EveryCaseListsWhatItSays) {
  for (const std::vector<CaseStatement>& lines : ReadCaseStatements("folder_scan")) {
    SCOPED_TRACE(lines.front().where);
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
}

TEST(FolderScan, TheRootListsNothingAboveItselfAndAMissingFolderOnlyTheDrives) {
  const std::vector<std::string> root = Listed(ScanFolder({}, "/", IniDocument("")));
  EXPECT_GT(root.size(), 1u);
  for (const std::string& entry : root) EXPECT_TRUE(entry != "folder '.' " && entry != "folder '..' ") << entry;
  EXPECT_EQ(Listed(ScanFolder({"/"}, "/no/such/folder", IniDocument(""))), std::vector<std::string>{"drive '/' "});
}

}  // namespace
