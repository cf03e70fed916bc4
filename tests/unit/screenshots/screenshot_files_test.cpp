// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Finding an entry's screenshot and filing the emulator's, for every case in tests/data/screenshots/,
// whether a BMP file holds all its pixels, for every case in tests/data/bmp/ (each folder's README
// gives the form), and what a case file cannot set up, as the preview's choice of the title picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "platform/dirs.h"
#include "platform/files.h"
#include "screenshots/archive_screenshot.h"
#include "screenshots/bmp_file.h"
#include "screenshots/picture_placement.h"
#include "screenshots/preview_lookup.h"
#include "screenshots/preview_state.h"
#include "support/case_words.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

using namespace kivo::screenshots;

namespace {

// The names the cases give results and formats, in the order their enums declare them.
const std::string kResults[] = {"moved", "none", "exists", "failed"};
const std::string kFormats[] = {"none", "bmp", "gif", "png"};
// The BMP file the FIELD=VALUE words from the third on describe; the size in the file header is
// left 0, as writers disagree about it and nobody trusts it.
std::string Bmp(const std::vector<std::string>& w) {
  std::map<std::string, int64_t> f = {{"header", 40},     {"width", 3},    {"height", 2},  {"bpp", 24},
                                      {"compression", 0}, {"datasize", 0}, {"palette", 0}, {"pixels", 0}};
  std::string signature = "BM";
  for (size_t i = 2; i < w.size(); ++i) {
    const size_t equals = w[i].find('=');
    const std::string name = w[i].substr(0, equals), value = w[i].substr(equals + 1);
    if (name == "signature") {
      signature = value;
    } else if (f.contains(name) || name == "offset" || name == "size") {
      f[name] = std::stoll(value);
    } else {
      ADD_FAILURE() << "no field " << name;
    }
  }
  const int size = f["header"] == 12 ? 2 : 4;  // of the width and height
  const int64_t offset = f.contains("offset") ? f["offset"] : 14 + f["header"] + f["palette"];
  const int64_t values[] = {0, offset,   f["header"],      f["width"],   f["height"],
                            1, f["bpp"], f["compression"], f["datasize"]};
  const int widths[] = {8, 4, 4, size, size, 2, 2, 4, 4};
  std::string out = "BM";
  for (int field = 0; field < 9; ++field) {
    for (int i = 0; i < widths[field]; ++i) out += static_cast<char>(values[field] >> (8 * i) & 0xFF);
  }
  out.resize(14 + f["header"], '\0');
  out.append(f["palette"], '\0').append(f["pixels"], '\x5A');
  out = out.substr(0, f.try_emplace("size", out.size()).first->second);
  return out.replace(0, std::min<size_t>(2, out.size()), signature.substr(0, out.size()));
}

class ScreenshotCase : public testing::TestWithParam<std::string> {};

TEST_P(ScreenshotCase, FindsFilesAndJudgesAsItSays) {
  KIVO_CASE_STATEMENTS(statements);
  const std::string before = kivo::platform::GetCurrentDir();
  TempDir dir;
  for (const char* folder : {"save", "shots"}) MakeTestDir(dir / folder);
  for (const CaseStatement& statement : statements) {
    SCOPED_TRACE(statement.where);
    const std::vector<std::string> w = WordsBelow(statement, dir.Path());
    if (RunFileStatement(w)) continue;
    if (w[0] == "complete" || w[0] == "cut") {
      EXPECT_EQ(BmpFileComplete(Bmp(w)), w[0] == "complete") << w.at(1);
    } else if (w[0] == "find") {
      const PreviewFile found = FindPreview(w.at(1), w.at(2));
      EXPECT_EQ(kFormats[static_cast<int>(found.format)] + " " + found.path, w.at(3) + " " + w.at(4));
    } else if (w[0] == "archive") {
      EXPECT_EQ(kResults[static_cast<int>(ArchiveScreenshot(w.at(1), w.at(2), w.at(3)))], w.at(4));
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
      EXPECT_EQ(kResults[static_cast<int>(ArchiveSnapshot(w.at(1), w.at(2), w.at(3), w.at(4)))], w.at(5));
    } else {
      ADD_FAILURE() << "unknown statement " << w[0];
    }
  }
  kivo::platform::SetCurrentDir(before);
}
INSTANTIATE_TEST_SUITE_P(bmp, ScreenshotCase, testing::ValuesIn(CaseFiles("bmp")), CaseName);
INSTANTIATE_TEST_SUITE_P(screenshots, ScreenshotCase, testing::ValuesIn(CaseFiles("screenshots")), CaseName);

TEST(ScreenshotFiles, MovesAcrossFileSystems) {
  // /dev/shm is a memory file system on Linux, apart from the disk that holds the temporary folder.
  if (!kivo::platform::DirectoryExists("/dev/shm")) GTEST_SKIP() << "no /dev/shm to move across";
  TempDir disk;
  const TempDir memory = [] {
    ScopedEnv tmp("TMPDIR", "/dev/shm");
    return TempDir();
  }();
  const std::string bytes = "BM" + std::string(300000, 'x');
  WriteTestFile(memory / "image.bmp", bytes);
  EXPECT_EQ(ArchiveScreenshot(memory.Path(), disk.Path(), "Racer"), ArchiveResult::kMoved);
  EXPECT_FALSE(kivo::platform::FileExists(memory / "image.bmp"));
  EXPECT_EQ(ReadTestFile(disk / "Racer.bmp"), bytes);
}

// The window tests show the title loaded once for a row of entries without screenshots. What they
// cannot reach is a start-up an error stopped before the title picture: the first miss loads it.
TEST(PreviewState, TheFirstMissAfterAScreenshotOrAStartUpWithoutTheTitleLoadsIt) {
  PreviewState state;
  EXPECT_TRUE(state.NoScreenshot());
  EXPECT_FALSE(state.NoScreenshot());
  state.ScreenshotLoaded();
  state.ScreenshotLoaded();
  EXPECT_FALSE(state.TitleShown());
  EXPECT_TRUE(state.NoScreenshot());
}

// The preview's picture: the largest whole multiple that fits, centred; one larger than the area at
// its own size from the top-left corner, as the preview drew every picture before it could grow.
TEST(PicturePlacement, AWholeMultipleCentredOrNaturalSizeFromTheCorner) {
  auto place = [](int w, int h, int aw, int ah) {
    const PicturePlacement p = PlacePicture(w, h, aw, ah);
    return std::vector<int>{p.left, p.top, p.scale};
  };
  EXPECT_EQ(place(256, 224, 257, 217), (std::vector<int>{0, 0, 1}));    // the design's area clips
  EXPECT_EQ(place(256, 224, 300, 260), (std::vector<int>{22, 18, 1}));  // room, but not for 2x
  EXPECT_EQ(place(256, 224, 800, 460), (std::vector<int>{144, 6, 2}));  // the height decides
  EXPECT_EQ(place(48, 36, 257, 217), (std::vector<int>{8, 18, 5}));     // the width decides
  EXPECT_EQ(place(512, 448, 300, 600), (std::vector<int>{0, 76, 1}));   // wider than the area
  EXPECT_EQ(place(0, 224, 300, 260), (std::vector<int>{0, 0, 1}));      // no picture to place
}

}  // namespace
