// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The diagnostic lines and PGM pictures the command-line tool writes for each frame.
#include <gtest/gtest.h>

#include "gif/gif_frame_info.h"
#include "unit/gif/gif_test_util.h"

namespace {

TEST(GifFrameInfo, DescribesEachFrame) {
  GifFrameSpec second = GifFrame(2, 3, {1, 0, 1, 0, 1, 0}, 2);
  second.left = 4;
  second.top = 1;
  second.interlaced = true;
  GifLoad gif(GifBuilder()
                  .Screen(8, 8, GifTestPalette(4))
                  .Frame(GifFrame(3, 1, {2, 1, 0}, 2))
                  .GraphicControl(dmPrevious, 12, 1)
                  .Frame(second)
                  .GraphicControl(dmBackground, 0, std::nullopt)
                  .Trailer()
                  .Bytes());
  ASSERT_EQ(gif.image->FrameCount(), 3);
  EXPECT_EQ(FrameInfoLine(gif.Frame(0)), "0 0 3 1 0 -1 0 0");
  EXPECT_EQ(FrameInfoLine(gif.Frame(1)), "4 1 2 3 1 1 12 3");
  EXPECT_EQ(FramePgm(gif.Frame(0)), std::string("P5\n3 1\n255\n\x02\x01\x00", 14));
  EXPECT_EQ(FramePgm(gif.Frame(1)), std::string("P5\n2 3\n255\n\x01\x00\x01\x00\x01\x00", 17));
  EXPECT_EQ(FramePgm(gif.Frame(2)), "P5\n0 0\n255\n");
}

}  // namespace
