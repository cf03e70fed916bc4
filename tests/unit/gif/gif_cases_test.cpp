// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The case runners. Every case in tests/data/gif/ is read in this process, as the preview reads a
// screenshot: its frames, warnings, error, pixels and composed pictures, where it asks the frames
// giflib reads from the same bytes, and the fuzzers' seeds it makes. Every case in
// tests/data/gif_composed/ goes through kivo-tool gif FILE OUTDIR --composed, as the user runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "gif/gif_animation.h"
#include "gif/gif_frame_info.h"
#include "gif/gif_image.h"
#include "platform/files.h"
#include "support/giflib_memory.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "unit/gif/gif_case.h"

using namespace kivo::gif;

namespace {

// What the tool makes of the case, made here.
GifOutcome ReadInProcess(const GifCase& c, TGIFImage& image) {
  GifOutcome out;
  std::vector<std::string> warnings;
  image.OnWarning = [&](TGIFItem*, TGIFSeverity, const std::string& message) { warnings.push_back(message); };
  std::string error;
  try {
    image.LoadFromBytes(c.gif);
  } catch (const GIFException& e) {
    error = e.what();
  }
  if (c.dither) image.SetDrawOptions(TGIFDrawOptions(image.DrawOptions()).Exclude(goAutoDither));
  for (int i = 0; i < image.FrameCount(); ++i) {
    out.transcript.push_back(FrameInfoLine(*image.Frame(i)));
    out.frames.push_back(image.Frame(i)->Data());
  }
  try {
    if (error.empty() && image.FrameCount() > 0) {
      TGIFCanvas canvas(image), jumping(image);
      for (int i = 0; i < image.FrameCount(); ++i) {
        canvas.Render(i);
        out.composed.push_back(CanvasPam(canvas));
      }
      // Any frame can be asked for: going back starts afresh, jumping ahead composes those between.
      for (int i = image.FrameCount() - 1; !c.composed.empty() && i >= 0; --i) {
        jumping.Render(i);
        EXPECT_EQ(CanvasPam(jumping), out.composed[i]) << "composed " << i << " after " << i + 1;
      }
    }
  } catch (const GIFException& e) {
    error = e.what();
  }
  for (const std::string& warning : warnings) out.transcript.push_back("warning: " + warning);
  if (!error.empty()) out.transcript.push_back("error: " + error);
  return out;
}

// giflib must read the same colour indexes from the same bytes: the cases' pixels are written by the
// tests' own encoder, which could share a misreading with the decoder.
void CompareWithGiflib(const std::string& bytes, const TGIFImage& ours) {
  GiflibMemoryReader reader{&bytes};
  int error = 0;
  GifFileType* gif = GiflibOpenMemory(reader, &error);
  ASSERT_NE(gif, nullptr) << GifErrorString(error);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
  ASSERT_EQ(ours.FrameCount(), gif->ImageCount);
  for (int i = 0; i < gif->ImageCount; ++i) {
    const GifImageDesc& desc = gif->SavedImages[i].ImageDesc;
    const std::vector<uint8_t>& data = ours.Frame(i)->Data();
    EXPECT_EQ(data, std::vector<uint8_t>(gif->SavedImages[i].RasterBits,
                                         gif->SavedImages[i].RasterBits + desc.Width * desc.Height))
        << "frame " << i;
  }
  DGifCloseFile(gif, &error);
}

TEST(GifCases, EveryCaseReadsAsItSays) {
  const std::vector<GifCase> cases = GifCasesIn(KIVO_TEST_DATA "/gif");
  ASSERT_GE(cases.size(), 60u);
  for (const GifCase& c : cases) {
    SCOPED_TRACE(c.name);
    TGIFImage image(c.limits);
    CheckGifOutcome(c, ReadInProcess(c, image));
    if (!c.loops.empty()) {
      EXPECT_EQ(image.LoopCount() ? std::to_string(*image.LoopCount()) : "-", c.loops);
    }
    if (c.giflib) CompareWithGiflib(c.gif, image);
    if (!c.seed.empty()) {  // KIVO_WRITE_GIF_CORPUS=1 writes the fuzzers' seeds afresh
      const std::string path = KIVO_TEST_DATA "/../../fuzz/corpus/" + c.seed;
      if (std::getenv("KIVO_WRITE_GIF_CORPUS") != nullptr) kivo::platform::WriteFileAtomic(path, c.seedBytes);
      std::string stored;
      EXPECT_TRUE(kivo::platform::ReadWholeFile(path, stored, kGifFileLimit) && stored == c.seedBytes) << path;
    }
  }
}

class GifToolTest : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(KIVO_TOOL, dir_ / "kivo-tool"); }
  ToolRun Run(const std::string& args) { return RunTool(dir_, dir_ / "kivo-tool", "gif " + args, dir_.Path()); }
  // The numbered pictures the tool wrote, up to the first one missing.
  std::vector<std::string> Pictures(const std::string& prefix, const char* extension) {
    std::vector<std::string> pictures;
    for (std::string name; std::filesystem::exists(
             name = dir_ / (prefix + std::to_string(1000 + pictures.size()).substr(1) + extension));) {
      pictures.push_back(ReadTestFile(name));
    }
    return pictures;
  }
  TempDir dir_;
};

TEST_F(GifToolTest, EveryComposedCaseShowsItsFramesAndPictures) {
  const std::vector<GifCase> cases = GifCasesIn(KIVO_TEST_DATA "/gif_composed");
  ASSERT_GE(cases.size(), 8u);
  for (size_t i = 0; i < cases.size(); ++i) {
    const GifCase& c = cases[i];
    SCOPED_TRACE(c.name);
    const std::string name = "case" + std::to_string(i);
    WriteTestFile(dir_ / (name + ".gif"), c.gif);
    MakeTestDir(dir_ / name);
    const ToolRun run = Run(name + ".gif " + name + " --composed");
    GifOutcome out;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) out.transcript.push_back(line);
    for (const std::string& pgm : Pictures(name + "/frame-", ".pgm")) {
      out.frames.emplace_back(pgm.begin() + static_cast<ptrdiff_t>(pgm.find("\n255\n") + 5), pgm.end());
    }
    out.composed = Pictures(name + "/composed-", ".pam");
    CheckGifOutcome(c, out);
    EXPECT_EQ(run.status, !c.transcript.empty() && c.transcript.back().starts_with("error: ") ? 1 : 0) << run.err;
  }
}

TEST_F(GifToolTest, ReportsFilesAndArgumentsItCannotUse) {
  ToolRun missing = Run("missing.gif");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "error: Cannot open file missing.gif\n");

  // Without a folder only the lines are printed.
  WriteTestFile(dir_ / "in.gif", ReadGifCases(KIVO_TEST_DATA "/gif_composed/disposal_keep.txt")[0].gif);
  ToolRun listed = Run("in.gif");
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.out, "0 0 4 2 0 -1 0 0\n1 0 2 1 0 -1 0 0\n2 1 2 1 0 -1 0 1\n3 0 1 2 0 -1 0 0\n");

  // A picture that cannot be written stops the command with the file's name.
  WriteTestFile(dir_ / "plain", "a file, not a folder");
  ToolRun unwritable = Run("in.gif plain");
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "kivo-tool: Cannot create file plain/frame-000.pgm\n");

  for (const char* args : {"", "a.gif b c"}) {
    ToolRun usage = Run(args);
    EXPECT_EQ(usage.status, 2) << args;
    EXPECT_EQ(usage.out, "") << args;
    EXPECT_EQ(usage.err, "usage: kivo-tool gif FILE [OUTDIR [--composed]]\n") << args;
  }
}

}  // namespace
