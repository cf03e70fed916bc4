// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Showing frames beyond what a case file states: when to dither and the error shares, and the
// animation's timing, order, loops and scaling.
#include <gtest/gtest.h>

#include "gif/gif_animation.h"
#include "gif/gif_image.h"
#include "support/gif_builder.h"

using namespace kivo::gif;

namespace {

const std::vector<GifRgb> kColors = {{255, 0, 0}, {0, 0, 255}, {10, 20, 30}, {0, 255, 0}};

GifFrameSpec Rect(int left, int top, int width, int height, uint8_t index) {
  return GifFrame(left, top, width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height, index), 2);
}

std::unique_ptr<TGIFImage> Load(GifBuilder& gif) {
  auto image = std::make_unique<TGIFImage>();
  image->LoadFromBytes(gif.Trailer().Bytes());
  return image;
}

TEST(GifDither, OnlyOnPaletteScreensUnlessForced) {
  TGIFImage image;
  EXPECT_FALSE(image.Dithers());
  EXPECT_TRUE(TGIFImage(GifOptions{.paletteScreen = true}).Dithers());
  image.SetDrawOptions(TGIFDrawOptions(image.DrawOptions()).Exclude(goAutoDither));
  EXPECT_TRUE(image.Dithers());
  image.SetDrawOptions(TGIFDrawOptions(image.DrawOptions()).Exclude(goDither));
  EXPECT_FALSE(image.Dithers());
}

// The error shares, row by row in alternating directions: on a flat colour between levels each
// share decides which pixels tip over to the next level, so the pattern of a few rows pins them.
TEST(GifDither, SerpentineSharesGiveTheirPattern) {
  GifBuilder gif;
  auto image = Load(gif.Screen(12, 4, {{20, 20, 20}, {0, 0, 0}}).Frame(Rect(0, 0, 12, 4, 0)));
  image->SetDrawOptions(TGIFDrawOptions(image->DrawOptions()).Exclude(goAutoDither));
  std::string levels;
  for (uint8_t index : image->Frame(0)->GetBitmap().pixels) levels += static_cast<char>('0' + index / 36);
  EXPECT_EQ(levels,
            "010010010010"
            "100100101010"
            "010101000100"
            "100100101001");
}

TEST(GifAnimation, FrameDelaysAndWaits) {
  struct Case {
    int delay;  // -1: no graphic control extension
    bool async;
    int expected;
  };
  for (const Case& c : {Case{-1, false, 10}, Case{0, true, 10}, Case{1, true, 3}, Case{3, false, 3},
                        Case{50, false, 50}, Case{2000, false, 1000}, Case{2000, true, 2000}}) {
    SCOPED_TRACE(c.delay);
    GifBuilder gif;
    gif.Screen(1, 1, kColors);
    if (c.delay >= 0) gif.GraphicControl(0, c.delay, std::nullopt);
    EXPECT_EQ(FrameDelay(*Load(gif.Frame(Rect(0, 0, 1, 1, 0)))->Frame(0), GifOptions{}, c.async), c.expected);
  }
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 100, 0), 120);
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 200, 0), 60);
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 50, 40), 200);
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 100, 500), 0);
  EXPECT_EQ(FrameWaitMilliseconds(1, GifOptions{}, 0, 0), 1200);  // a speed of 0 counts as 1 per cent
}

TEST(GifAnimation, PlaybackOrderAndLoops) {
  auto sequence = [](std::optional<uint16_t> loops, TGIFDrawOptions options, int steps) {
    GifBuilder gif;
    gif.Screen(1, 1, kColors);
    if (loops) gif.Loop(*loops);
    // The last frame has no pixels and is passed over.
    auto image = Load(gif.Frame(Rect(0, 0, 1, 1, 0)).Frame(Rect(0, 0, 1, 1, 1)).GraphicControl(0, 5, std::nullopt));
    TGIFPlayback playback(*image, options);
    std::vector<int> shown = {playback.First()};
    for (int i = 0; i < steps && shown.back() >= 0; ++i) shown.push_back(playback.Next());
    return shown;
  };
  const TGIFDrawOptions once{goAnimate}, loop{goAnimate, goLoop}, always{goAnimate, goLoop, goLoopContinously};
  EXPECT_EQ(sequence(std::nullopt, once, 10), (std::vector<int>{0, 1, -1}));
  EXPECT_EQ(sequence(std::nullopt, always, 5), (std::vector<int>{0, 1, 0, 1, 0, 1}));
  EXPECT_EQ(sequence(2, loop, 10), (std::vector<int>{0, 1, 0, 1, 0, 1, -1}));
  EXPECT_EQ(sequence(2, once, 10), (std::vector<int>{0, 1, -1}));
}

TEST(GifAnimation, FramePlaceScalesFromTheScreen) {
  GifBuilder gif;
  auto image = Load(gif.Screen(100, 100, kColors).Frame(Rect(10, 20, 30, 40, 0)));
  EXPECT_EQ(ScaleFrameRect(*image->Frame(0), 100, 100, TGIFRect{0, 0, 200, 50}), (TGIFRect{20, 10, 80, 30}));
  EXPECT_EQ(ScaleFrameRect(*image->Frame(0), 100, 100, TGIFRect{5, 5, 38, 38}), (TGIFRect{8, 12, 18, 25}));
}

}  // namespace
