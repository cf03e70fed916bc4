// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Finding an entry's screenshot and filing the emulator's: every case in tests/data/screenshots/
// (its README gives the form), and what a case file cannot set up.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/dirs.h"
#include "platform/files.h"
#include "screenshots/archive_screenshot.h"
#include "screenshots/preview_lookup.h"
#include "support/case_words.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

using namespace kivo::screenshots;

namespace {

const std::map<std::string, ArchiveResult> kResults = {{"moved", ArchiveResult::kMoved},
                                                       {"none", ArchiveResult::kNoScreenshot},
                                                       {"exists", ArchiveResult::kTargetExists},
                                                       {"failed", ArchiveResult::kFailed}};
const std::map<std::string, PreviewFormat> kFormats = {{"none", PreviewFormat::kNone},
                                                       {"bmp", PreviewFormat::kBmp},
                                                       {"gif", PreviewFormat::kGif},
                                                       {"png", PreviewFormat::kPng}};

TEST(ScreenshotFiles, EveryCaseFindsAndFilesAsItSays) {
  const std::string before = kivo::platform::GetCurrentDir();
  for (const std::vector<CaseStatement>& statements : ReadCaseStatements("screenshots")) {
    TempDir dir;
    MakeTestDir(dir / "save");
    MakeTestDir(dir / "shots");
    for (const CaseStatement& statement : statements) {
      SCOPED_TRACE(statement.where);
      const std::vector<std::string> w = WordsBelow(statement, dir.Path());
      if (RunFileStatement(w)) continue;
      if (w[0] == "find") {
        EXPECT_EQ(FindPreview(w.at(1), w.at(2)), (PreviewFile{kFormats.at(w.at(3)), w.at(4)}));
      } else if (w[0] == "archive") {
        EXPECT_EQ(ArchiveScreenshot(w.at(1), w.at(2), w.at(3)), kResults.at(w.at(4)));
      } else if (w[0] == "newest") {
        EXPECT_EQ(NewestSnapshot(w.at(1), w.at(2)), w.at(3));
      } else if (w[0] == "paths") {
        EXPECT_EQ(BmpCandidate(w.at(1), "Racer"), w.at(2));
        EXPECT_EQ(ArchiveTarget(w[1], "Racer"), w[2]);
        EXPECT_EQ(ScreenshotSource(w[1]), BmpCandidate(w[1], "image"));
        EXPECT_EQ(GifCandidate(w[1], "Racer"), w.at(3));
      } else if (w[0] == "cd") {
        EXPECT_TRUE(kivo::platform::SetCurrentDir(w.at(1)));
      } else if (w[0] == "snapshot") {
        EXPECT_EQ(ArchiveSnapshot(w.at(1), w.at(2), w.at(3), w.at(4)), kResults.at(w.at(5)));
      } else {
        ADD_FAILURE() << "unknown statement " << w[0];
      }
    }
    kivo::platform::SetCurrentDir(before);
  }
}

TEST(ScreenshotFiles, MovesAcrossFileSystems) {
  // /dev/shm is a memory file system on Linux, apart from the disk that holds the temporary folder.
  if (!kivo::platform::DirectoryExists("/dev/shm")) GTEST_SKIP() << "no /dev/shm to move across";
  TempDir disk;
  std::unique_ptr<TempDir> memory;
  {
    ScopedEnv tmp("TMPDIR", "/dev/shm");
    memory = std::make_unique<TempDir>();
  }
  const std::string bytes = "BM" + std::string(300000, 'x');
  WriteTestFile(*memory / "image.bmp", bytes);
  EXPECT_EQ(ArchiveScreenshot(memory->Path(), disk.Path(), "Racer"), ArchiveResult::kMoved);
  EXPECT_FALSE(kivo::platform::FileExists(*memory / "image.bmp"));
  EXPECT_EQ(ReadTestFile(disk / "Racer.bmp"), bytes);
}

}  // namespace
