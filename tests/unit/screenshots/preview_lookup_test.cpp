// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/preview_lookup.h"

#include <gtest/gtest.h>

#include "platform/dirs.h"
#include "support/temp_dir.h"

namespace {

class PreviewLookupTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string media = dir / "shots";
  void SetUp() override { MakeTestDir(media); }
};

TEST(PreviewCandidates, BmpGoesThroughAddBackslashAndGifAlwaysGetsOneSeparator) {
  struct Case {
    const char* media;
    const char* bmp;
    const char* gif;
  };
  const Case cases[] = {
      {"/data/shots", "/data/shots/Racer.bmp", "/data/shots/Racer.gif"},
      {"/data/shots/", "/data/shots/Racer.bmp", "/data/shots//Racer.gif"},
      {"", "Racer.bmp", "/Racer.gif"},
      {"/", "/Racer.bmp", "//Racer.gif"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.media);
    EXPECT_EQ(BmpCandidate(c.media, "Racer"), c.bmp);
    EXPECT_EQ(GifCandidate(c.media, "Racer"), c.gif);
  }
}

TEST_F(PreviewLookupTest, BmpWinsOverGifAndGifOverPng) {
  EXPECT_EQ(FindPreview(media, "Racer"), PreviewFile{});

  // The native emulator's snapshots are PNG files, looked for last.
  WriteTestFile(media + "/Racer.png", "PNG");
  EXPECT_EQ(FindPreview(media, "Racer"), (PreviewFile{PreviewFormat::kPng, media + "/Racer.png"}));

  WriteTestFile(media + "/Racer.gif", "GIF89a");
  EXPECT_EQ(FindPreview(media, "Racer"), (PreviewFile{PreviewFormat::kGif, media + "/Racer.gif"}));

  WriteTestFile(media + "/Racer.bmp", "BM");
  EXPECT_EQ(FindPreview(media, "Racer"), (PreviewFile{PreviewFormat::kBmp, media + "/Racer.bmp"}));
}

TEST_F(PreviewLookupTest, EmptyMediaFolderLooksInTheCurrentFolderForBmp) {
  std::string before = platform::GetCurrentDir();
  ASSERT_TRUE(platform::SetCurrentDir(media));
  PreviewFile none = FindPreview("", "KivoNoSuchGame");
  WriteTestFile(media + "/Racer.bmp", "BM");
  PreviewFile found = FindPreview("", "Racer");
  platform::SetCurrentDir(before);

  EXPECT_EQ(none, PreviewFile{});
  EXPECT_EQ(found, (PreviewFile{PreviewFormat::kBmp, "Racer.bmp"}));
}

TEST_F(PreviewLookupTest, EveryKindOfEntryIsLookedUpByItsCaption) {
  // A folder entry's caption is the folder's name; "." and ".." are captions too.
  WriteTestFile(media + "/Puzzles.bmp", "BM");
  WriteTestFile(media + "/...gif", "GIF89a");
  EXPECT_EQ(FindPreview(media, "Puzzles"), (PreviewFile{PreviewFormat::kBmp, media + "/Puzzles.bmp"}));
  EXPECT_EQ(FindPreview(media, ".."), (PreviewFile{PreviewFormat::kGif, media + "/...gif"}));
  // Names keep their bytes; letter case matters as the file system decides.
  WriteTestFile(media + "/Caf\xe9.gif", "GIF89a");
  EXPECT_EQ(FindPreview(media, "Caf\xe9").format, PreviewFormat::kGif);
  EXPECT_EQ(FindPreview(media, "puzzles"), PreviewFile{});
}

TEST_F(PreviewLookupTest, FolderNamedLikeACandidateDoesNotCount) {
  MakeTestDir(media + "/Racer.bmp");
  EXPECT_EQ(FindPreview(media, "Racer"), PreviewFile{});

  // The native emulator's snapshots are PNG files, looked for last.
  WriteTestFile(media + "/Racer.png", "PNG");
  EXPECT_EQ(FindPreview(media, "Racer"), (PreviewFile{PreviewFormat::kPng, media + "/Racer.png"}));

  WriteTestFile(media + "/Racer.gif", "GIF89a");
  EXPECT_EQ(FindPreview(media, "Racer"), (PreviewFile{PreviewFormat::kGif, media + "/Racer.gif"}));
}

TEST_F(PreviewLookupTest, DriveCaptionsThatArePathsHaveNoScreenshot) {
  // "/mnt/usb" joined to the media folder would name a file in its sub-folder "mnt".
  MakeTestDir(media + "/mnt");
  WriteTestFile(media + "/mnt/usb.bmp", "BM");
  WriteTestFile(media + "/.bmp", "BM");
  EXPECT_EQ(FindPreview(media, "/mnt/usb"), PreviewFile{});
  EXPECT_EQ(FindPreview(media, "/"), PreviewFile{});
  EXPECT_EQ(FindPreview(media, ""), PreviewFile{});
  EXPECT_FALSE(IsScreenshotName(std::string("a\0b", 3)));
  EXPECT_TRUE(IsScreenshotName("Super Racer (E) [!]"));
}

}  // namespace
