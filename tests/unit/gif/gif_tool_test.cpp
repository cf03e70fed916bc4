// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool gif, run as the user runs it: the frame lines, the decoder's warnings and errors, the
// PGM pictures, and the exit status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/gif_builder.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"

namespace {

class GifToolTest : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(KIVO_TOOL, dir_ / "kivo-tool"); }

  // Runs "kivo-tool gif <args>" in the test's folder; the arguments are plain names.
  ToolRun Run(const std::string& args) { return RunTool(dir_, dir_ / "kivo-tool", "gif " + args, dir_.Path()); }

  TempDir dir_;
};

GifFrameSpec Frame(int left, int top, int width, int height, uint32_t seed, bool interlaced = false) {
  GifFrameSpec frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.pixels = GifTestPixels(width, height, 4, seed);
  frame.interlaced = interlaced;
  frame.lzw.minCodeSize = 2;
  return frame;
}

std::string Pgm(const GifFrameSpec& frame) {
  return "P5\n" + std::to_string(frame.width) + " " + std::to_string(frame.height) + "\n255\n" +
         std::string(frame.pixels.begin(), frame.pixels.end());
}

TEST_F(GifToolTest, ListsEachFrameAndWritesItsIndexesAsPgm) {
  const GifFrameSpec first = Frame(0, 0, 7, 5, 1);
  // Interlaced, so the PGM shows whether rows come out in display order.
  const GifFrameSpec second = Frame(2, 1, 5, 9, 2, true);
  WriteTestFile(dir_ / "anim.gif", GifBuilder()
                                       .Screen(8, 10, GifTestPalette(4))
                                       .Loop(0)
                                       .GraphicControl(1, 25, std::nullopt)
                                       .Frame(first)
                                       .GraphicControl(2, 7, 3)
                                       .Frame(second)
                                       .Trailer()
                                       .Bytes());
  MakeTestDir(dir_ / "frames");

  ToolRun run = Run("anim.gif frames");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "0 0 7 5 0 -1 25 1\n"
            "2 1 5 9 1 3 7 2\n");
  EXPECT_EQ(ReadTestFile(dir_ / "frames/frame-000.pgm"), Pgm(first));
  EXPECT_EQ(ReadTestFile(dir_ / "frames/frame-001.pgm"), Pgm(second));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "frames/frame-002.pgm"));

  // Without a folder only the lines are printed.
  ToolRun listOnly = Run("anim.gif");
  EXPECT_EQ(listOnly.status, 0);
  EXPECT_EQ(listOnly.out, run.out);
}

TEST_F(GifToolTest, ReportsWarningsErrorsAndFailures) {
  const std::string screen = GifBuilder().Screen(6, 4, GifTestPalette(4)).Bytes();
  GifFrameSpec zeroWidth = Frame(0, 0, 6, 4, 3);
  GifFrameSpec descriptor = zeroWidth;
  descriptor.width = 0;  // takes the screen's size, with a warning
  const std::string frameData = std::string(1, '\x02') + GifSubBlocks(GifLzwPack(zeroWidth.pixels, zeroWidth.lzw));
  const std::string oneFrame = GifBuilder("").Raw(screen).Frame(Frame(1, 1, 3, 2, 4)).Bytes();

  struct Case {
    const char* name;
    std::string bytes;
    int status;
    std::string out;
  };
  const Case cases[] = {
      {"warnings after the frames they arose in",
       GifBuilder("").Raw(screen).Descriptor(descriptor).Raw(frameData).Raw("X").Bytes(), 0,
       "0 0 6 4 0 -1 0 0\n"
       "warning: Image exceeds Logical Screen size\n"
       "warning: Unknown GIF block type\n"
       "warning: Invalid Image trailer\n"},
      {"an error keeps the frames read before it", oneFrame + "!\x42", 1,
       "1 1 3 2 0 -1 0 0\n"
       "error: Unknown extension type\n"},
      {"not a GIF at all", "PNG89a" + screen.substr(6), 1, "error: Invalid GIF signature\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteTestFile(dir_ / "in.gif", c.bytes);
    ToolRun run = Run("in.gif");
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
  }

  ToolRun missing = Run("missing.gif");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "error: Cannot open file missing.gif\n");

  // A picture that cannot be written stops the command with the file's name.
  WriteTestFile(dir_ / "in.gif", oneFrame + ";");
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
