// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Showing an animation beyond what the cases compose: how long to wait after a frame, and the order
// of the frames with their loops, as the preview's painter asks for them, and where a frame lands
// in a target of another size.
#include <gtest/gtest.h>

#include "gif/gif_animation.h"
#include "gif/gif_image.h"
#include "support/gif_builder.h"

using namespace kivo::gif;

namespace {

TEST(GifAnimation, WaitsScaleWithTheSpeedLessThePaintingTime) {
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 200, 0), 60);
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 50, 40), 200);
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 100, 500), 0);
  EXPECT_EQ(FrameWaitMilliseconds(1, GifOptions{}, 0, 0), 1200);  // a speed of 0 counts as 1 per cent
}

TEST(GifAnimation, PlaybackOrderAndLoops) {
  // The first frame shown, and the next for up to six steps.
  auto sequence = [](std::optional<uint16_t> loops, TGIFDrawOptions options) {
    GifBuilder gif;
    gif.Screen(1, 1, std::vector<GifRgb>(4));
    if (loops) gif.Loop(*loops);
    // A last frame of a graphic control extension alone, without pixels, is passed over.
    const GifFrameLayout frame = GifFrame(0, 0, 1, 1, {0}, 2);
    TGIFImage image;
    image.LoadFromBytes(gif.Frame(frame).Frame(frame).GraphicControl(0, 5, std::nullopt).Trailer().Bytes());
    TGIFPlayback playback(image, options);
    std::vector<int> shown = {playback.First()};
    for (int i = 0; i < 6 && shown.back() >= 0; ++i) shown.push_back(playback.Next());
    return shown;
  };
  const TGIFDrawOptions once{goAnimate}, loop{goAnimate, goLoop}, always{goAnimate, goLoop, goLoopContinously};
  EXPECT_EQ(sequence(std::nullopt, once), (std::vector<int>{0, 1, -1}));
  EXPECT_EQ(sequence(std::nullopt, always), (std::vector<int>{0, 1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(sequence(2, loop), (std::vector<int>{0, 1, 0, 1, 0, 1, -1}));
  EXPECT_EQ(sequence(2, once), (std::vector<int>{0, 1, -1}));
}

TEST(GifAnimation, FramePlaceScalesFromTheScreen) {
  TGIFImage image;
  image.LoadFromBytes(GifBuilder()
                          .Screen(100, 100, std::vector<GifRgb>(4))
                          .Frame(GifFrame(10, 20, 30, 40, std::vector<uint8_t>(30 * 40), 2))
                          .Trailer()
                          .Bytes());
  EXPECT_EQ(ScaleFrameRect(*image.Frame(0), 100, 100, TGIFRect{0, 0, 200, 50}), (TGIFRect{20, 10, 80, 30}));
  EXPECT_EQ(ScaleFrameRect(*image.Frame(0), 100, 100, TGIFRect{5, 5, 38, 38}), (TGIFRect{8, 12, 18, 25}));
}

}  // namespace
