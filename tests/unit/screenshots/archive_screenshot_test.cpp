// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/archive_screenshot.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

class ArchiveScreenshotTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string save = dir / "save";
  std::string media = dir / "shots";
  void SetUp() override {
    MakeTestDir(save);
    MakeTestDir(media);
  }
};

TEST(ArchivePaths, SourceAndTargetGoThroughAddBackslash) {
  EXPECT_EQ(ScreenshotSource("/zsnes/save"), "/zsnes/save/image.bmp");
  EXPECT_EQ(ScreenshotSource("/zsnes/save/"), "/zsnes/save/image.bmp");
  EXPECT_EQ(ScreenshotSource(""), "image.bmp");
  EXPECT_EQ(ArchiveTarget("/shots", "Racer"), "/shots/Racer.bmp");
  EXPECT_EQ(ArchiveTarget("/shots/", "Racer"), "/shots/Racer.bmp");
  EXPECT_EQ(ArchiveTarget("", "Racer"), "Racer.bmp");
}

TEST_F(ArchiveScreenshotTest, MovesOnceThenFindsNothingToMove) {
  WriteTestFile(save + "/image.bmp", "BM-first");
  EXPECT_EQ(ArchiveScreenshot(save, media + "/", "Racer"), ArchiveResult::kMoved);
  EXPECT_FALSE(platform::FileExists(save + "/image.bmp"));
  EXPECT_EQ(ReadTestFile(media + "/Racer.bmp"), "BM-first");

  EXPECT_EQ(ArchiveScreenshot(save, media, "Racer"), ArchiveResult::kNoScreenshot);
  EXPECT_EQ(ReadTestFile(media + "/Racer.bmp"), "BM-first");
}

TEST_F(ArchiveScreenshotTest, NeverReplacesAFiledScreenshot) {
  WriteTestFile(media + "/Racer.bmp", "BM-old");
  WriteTestFile(save + "/image.bmp", "BM-new");
  EXPECT_EQ(ArchiveScreenshot(save, media, "Racer"), ArchiveResult::kTargetExists);
  EXPECT_EQ(ReadTestFile(media + "/Racer.bmp"), "BM-old");
  EXPECT_EQ(ReadTestFile(save + "/image.bmp"), "BM-new");

  // A folder of that name blocks the move the same way.
  MakeTestDir(media + "/Puzzles.bmp");
  EXPECT_EQ(ArchiveScreenshot(save, media, "Puzzles"), ArchiveResult::kTargetExists);
  EXPECT_EQ(ReadTestFile(save + "/image.bmp"), "BM-new");
}

TEST_F(ArchiveScreenshotTest, FailuresKeepTheSource) {
  WriteTestFile(save + "/image.bmp", "BM");
  struct Case {
    std::string media;
    std::string caption;
  };
  const Case cases[] = {
      {dir / "missing", "Racer"},         // media folder does not exist
      {media, "/media/usb"},              // a drive's caption names no file in the folder
      {dir / "save/image.bmp", "Racer"},  // media "folder" is a regular file
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.media + " " + c.caption);
    EXPECT_EQ(ArchiveScreenshot(save, c.media, c.caption), ArchiveResult::kFailed);
    EXPECT_EQ(ReadTestFile(save + "/image.bmp"), "BM");
  }
  EXPECT_FALSE(platform::FileExists(dir / "usb.bmp"));
}

TEST_F(ArchiveScreenshotTest, SourceThatIsAFolderIsNoScreenshot) {
  MakeTestDir(save + "/image.bmp");
  EXPECT_EQ(ArchiveScreenshot(save, media, "Racer"), ArchiveResult::kNoScreenshot);
  EXPECT_FALSE(platform::FileExists(media + "/Racer.bmp"));
}

TEST_F(ArchiveScreenshotTest, MovesAcrossFileSystems) {
  // /dev/shm is a memory file system on Linux, apart from the disk that holds the temporary folder.
  if (!platform::DirectoryExists("/dev/shm")) GTEST_SKIP() << "no /dev/shm to move across";
  const char* oldTmp = getenv("TMPDIR");
  std::string saved = oldTmp ? oldTmp : "";
  setenv("TMPDIR", "/dev/shm", 1);
  TempDir memory;
  if (oldTmp) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }

  std::string bytes(300000, 'x');
  bytes[0] = 'B';
  bytes[1] = 'M';
  WriteTestFile(memory / "image.bmp", bytes);
  EXPECT_EQ(ArchiveScreenshot(memory.Path(), media, "Racer"), ArchiveResult::kMoved);
  EXPECT_FALSE(platform::FileExists(memory / "image.bmp"));
  EXPECT_EQ(ReadTestFile(media + "/Racer.bmp"), bytes);
}

// The native build's snapshots: "<ROM name>_NNNNN.png" or ".bmp"; the newest is filed under the
// entry's caption with its own extension, and a name of that form for another ROM is left alone.
TEST_F(ArchiveScreenshotTest, NativeSnapshotsTheNewestOfTheRomIsFiled) {
  auto touch = [](const std::string& path, int64_t seconds) {
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  };
  EXPECT_EQ(NewestSnapshot(save, "Super Game.sfc"), "");
  const std::pair<const char*, int64_t> files[] = {
      {"Super Game_00000.png", 1000}, {"Super Game_00001.bmp", 3000}, {"Super Game_00002.png", 2000},
      {"Super Game_12.png", 9000},    {"Super Game_00003.gif", 9000}, {"Super Gamer_00004.png", 9000},
      {"Other_00005.png", 9000},
  };
  for (const auto& [name, time] : files) {
    WriteTestFile(save + "/" + name, name);
    touch(save + "/" + name, time);
  }
  // Numbers are reused once files are moved away, so the newest file wins, not the highest number.
  EXPECT_EQ(NewestSnapshot(save + "/", "Super Game.sfc"), save + "/Super Game_00001.bmp");
  EXPECT_EQ(ArchiveSnapshot(save, "Super Game.sfc", media, "Super Game (E)"), ArchiveResult::kMoved);
  EXPECT_EQ(ReadTestFile(media + "/Super Game (E).bmp"), "Super Game_00001.bmp");
  // The next is a PNG; a name that is taken is never replaced.
  EXPECT_EQ(ArchiveSnapshot(save, "Super Game.sfc", media, "Super Game (E)"), ArchiveResult::kMoved);
  EXPECT_EQ(ReadTestFile(media + "/Super Game (E).png"), "Super Game_00002.png");
  WriteTestFile(media + "/Zelda.png", "kept");
  EXPECT_EQ(ArchiveSnapshot(save, "Super Game.sfc", media, "Zelda"), ArchiveResult::kTargetExists);
  EXPECT_EQ(ReadTestFile(media + "/Zelda.png"), "kept");
  EXPECT_TRUE(platform::FileExists(save + "/Super Game_00000.png"));
  // A ROM without an extension keeps its whole name.
  WriteTestFile(save + "/ROM_00000.png", "x");
  EXPECT_EQ(NewestSnapshot(save, "ROM"), save + "/ROM_00000.png");
}

}  // namespace
