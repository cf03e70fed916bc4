// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The decoder against giflib on a varied set of valid GIFs: every frame's colour indexes, place,
// colour map and control data must agree.
#include <gtest/gtest.h>

#include <cstring>

#include "support/giflib_memory.h"
#include "unit/gif/gif_test_util.h"

namespace {

void CompareWithGiflib(const std::string& bytes) {
  GifLoad ours(bytes);
  ASSERT_EQ(ours.error, "");
  EXPECT_EQ(ours.warnings, std::vector<std::string>{});

  GiflibMemoryReader reader{&bytes};
  int error = 0;
  GifFileType* gif = GiflibOpenMemory(reader, &error);
  ASSERT_NE(gif, nullptr) << GifErrorString(error);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);

  EXPECT_EQ(ours.image->Width(), gif->SWidth);
  EXPECT_EQ(ours.image->Height(), gif->SHeight);
  ASSERT_EQ(ours.image->FrameCount(), gif->ImageCount);
  for (int i = 0; i < gif->ImageCount; ++i) {
    SCOPED_TRACE(i);
    const SavedImage& theirs = gif->SavedImages[i];
    const TGIFSubImage& frame = ours.Frame(i);
    EXPECT_EQ(frame.Left(), theirs.ImageDesc.Left);
    EXPECT_EQ(frame.Top(), theirs.ImageDesc.Top);
    ASSERT_EQ(frame.Width(), theirs.ImageDesc.Width);
    ASSERT_EQ(frame.Height(), theirs.ImageDesc.Height);
    EXPECT_EQ(frame.Interlaced(), theirs.ImageDesc.Interlace);
    size_t size = static_cast<size_t>(frame.Width()) * frame.Height();
    ASSERT_EQ(frame.Data().size(), size);
    EXPECT_EQ(std::memcmp(frame.Data().data(), theirs.RasterBits, size), 0);

    const ColorMapObject* map = theirs.ImageDesc.ColorMap ? theirs.ImageDesc.ColorMap : gif->SColorMap;
    const TGIFColorMap& active = frame.ActiveColorMap();
    ASSERT_EQ(active.Count(), map ? map->ColorCount : 0);
    for (int c = 0; c < active.Count(); ++c) {
      EXPECT_EQ(active.Color(c), (TGIFColor{map->Colors[c].Red, map->Colors[c].Green, map->Colors[c].Blue}));
    }

    GraphicsControlBlock gcb;
    if (DGifSavedExtensionToGCB(gif, i, &gcb) == GIF_OK) {
      EXPECT_EQ(frame.Delay(), gcb.DelayTime);
      EXPECT_EQ(static_cast<int>(frame.Disposal()), gcb.DisposalMode);
      EXPECT_EQ(frame.TransparentIndex() ? int{*frame.TransparentIndex()} : NO_TRANSPARENT_COLOR, gcb.TransparentColor);
    }
  }
  DGifCloseFile(gif, &error);
}

std::vector<uint8_t> Noise(int width, int height, int colors, uint32_t seed) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
  for (auto& p : pixels) p = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 16) % colors;
  return pixels;
}

TEST(GifGiflib, SameIndexesForEveryCodeSize) {
  for (int codeSize = 2; codeSize <= 8; ++codeSize) {
    SCOPED_TRACE(codeSize);
    const int colors = 1 << codeSize;
    GifFrameSpec frame = GifFrame(97, 61, GifTestPixels(97, 61, colors, codeSize), codeSize);
    CompareWithGiflib(GifBuilder().Screen(97, 61, GifTestPalette(colors)).Frame(frame).Trailer().Bytes());
    GifFrameSpec noisy = GifFrame(64, 64, Noise(64, 64, colors, codeSize), codeSize);
    CompareWithGiflib(GifBuilder("GIF87a").Screen(64, 64, GifTestPalette(colors)).Frame(noisy).Trailer().Bytes());
  }
}

TEST(GifGiflib, SameIndexesForOddShapes) {
  struct Case {
    std::string name;
    int width, height;
    bool interlaced;
    GifLzwOptions lzw;
  };
  const Case cases[] = {
      {"1 x 1", 1, 1, false, {.minCodeSize = 2}},
      {"1 x 300 interlaced", 1, 300, true, {.minCodeSize = 3}},
      {"333 x 7", 333, 7, false, {.minCodeSize = 8}},
      {"17 x 17 interlaced", 17, 17, true, {.minCodeSize = 4}},
      {"odd interlaced, large", 513, 259, true, {.minCodeSize = 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int colors = 1 << c.lzw.minCodeSize;
    GifFrameSpec frame = GifFrame(c.width, c.height, Noise(c.width, c.height, colors, 77), c.lzw.minCodeSize);
    frame.interlaced = c.interlaced;
    frame.lzw = c.lzw;
    CompareWithGiflib(GifBuilder().Screen(c.width, c.height, GifTestPalette(colors)).Frame(frame).Trailer().Bytes());
  }
}

TEST(GifGiflib, SameFramesOfAnAnimation) {
  GifBuilder builder;
  builder.Screen(120, 80, GifTestPalette(16)).Loop(0).Comment("made by the test encoder");
  for (int i = 0; i < 12; ++i) {
    const int w = 20 + i * 7, h = 10 + i * 5;
    GifFrameSpec frame = GifFrame(w, h, GifTestPixels(w, h, i % 2 ? 16 : 4, i), i % 2 ? 4 : 2);
    frame.left = i * 3;
    frame.top = i * 2;
    frame.interlaced = i % 3 == 0;
    if (i % 4 == 1) frame.localMap = GifTestPalette(16, 100 + i);
    builder.GraphicControl(i % 4, 5 + i, i % 2 ? std::optional<uint8_t>(i) : std::nullopt);
    builder.Frame(frame);
  }
  CompareWithGiflib(builder.Trailer().Bytes());
}

}  // namespace
