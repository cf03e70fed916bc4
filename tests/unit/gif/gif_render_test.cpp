// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Frames made displayable: bitmaps, masks, palettes, the composed canvas and animation timing.
#include <gtest/gtest.h>

#include "gif/gif_animation.h"
#include "gif/gif_dither.h"
#include "unit/gif/gif_test_util.h"

namespace {

using namespace std::string_literals;

const std::vector<GifRgb> kColors = {{255, 0, 0}, {0, 0, 255}, {10, 20, 30}, {0, 255, 0}};

uint32_t Argb(GifRgb c) { return 0xFF000000u | (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b; }

GifFrameSpec Rect(int left, int top, int width, int height, uint8_t index) {
  GifFrameSpec frame = GifFrame(width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height, index), 2);
  frame.left = left;
  frame.top = top;
  return frame;
}

TEST(GifBitmap, UsesLocalGlobalOrFirstFramePalette) {
  GifFrameSpec withLocal = Rect(0, 0, 2, 2, 1);
  withLocal.localMap = {{1, 2, 3}, {4, 5, 6}};
  withLocal.lzw.minCodeSize = 2;
  GifLoad noGlobal(GifBuilder().Screen(2, 2).Frame(withLocal).Frame(Rect(0, 0, 2, 2, 0)).Trailer().Bytes());
  ASSERT_EQ(noGlobal.error, "");
  EXPECT_EQ(noGlobal.Frame(0).GetBitmap().palette.size(), 2u);
  // A frame without a map borrows frame 0's colours when there is no global map.
  const TGIFBitmap& second = noGlobal.Frame(1).GetBitmap();
  ASSERT_EQ(second.palette.size(), 2u);
  EXPECT_EQ(second.palette[1], (TGIFColor{4, 5, 6}));

  GifLoad global(GifBuilder().Screen(2, 2, kColors).Frame(withLocal).Frame(Rect(0, 0, 2, 2, 3)).Bytes());
  EXPECT_EQ(global.Frame(0).GetBitmap().palette[0], (TGIFColor{1, 2, 3}));
  EXPECT_EQ(global.Frame(1).GetBitmap().palette,
            std::vector<TGIFColor>({{255, 0, 0}, {0, 0, 255}, {10, 20, 30}, {0, 255, 0}}));
  EXPECT_EQ(global.Frame(1).GetBitmap().pixels, std::vector<uint8_t>(4, 3));
}

TEST(GifBitmap, NoColourTableIsAnErrorWhenDrawnNotWhenLoaded) {
  GifLoad gif(GifBuilder().Screen(2, 2).Frame(Rect(0, 0, 2, 2, 1)).Trailer().Bytes());
  ASSERT_EQ(gif.error, "");
  try {
    gif.Frame(0).GetBitmap();
    ADD_FAILURE() << "no error raised";
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "No global or local color table defined");
  }
  TGIFCanvas canvas(*gif.image);
  EXPECT_THROW(canvas.Render(0), GIFException);
}

TEST(GifBitmap, MaskMarksTransparentPixelsInPaddedRows) {
  // 17 pixels wide: 3 bytes of bits, padded to 4.
  std::vector<uint8_t> pixels(17 * 2, 0);
  pixels[0] = 2;
  pixels[9] = 2;
  pixels[17 + 16] = 2;
  GifLoad gif(
      GifBuilder().Screen(17, 2, kColors).GraphicControl(0, 0, 2).Frame(GifFrame(17, 2, pixels, 2)).Trailer().Bytes());
  const TGIFBitmap& bitmap = gif.Frame(0).GetBitmap();
  ASSERT_EQ(bitmap.maskStride, 4);
  EXPECT_EQ(bitmap.mask, (std::vector<uint8_t>{0x80, 0x40, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00}));
  EXPECT_TRUE(bitmap.Masked(16, 1));
  EXPECT_FALSE(bitmap.Masked(15, 1));

  // A transparent index that no pixel uses gives no mask; so does a frame that needs none.
  GifLoad unused(
      GifBuilder().Screen(17, 2, kColors).GraphicControl(0, 0, 3).Frame(GifFrame(17, 2, pixels, 2)).Trailer().Bytes());
  EXPECT_FALSE(unused.Frame(0).GetBitmap().HasMask());
  gif.Frame(0).SetNeedMask(false);
  EXPECT_FALSE(gif.Frame(0).GetBitmap().HasMask());
}

TEST(GifDither, WebPaletteAndDecision) {
  const std::vector<TGIFColor>& web = WebPalette();
  ASSERT_EQ(web.size(), 216u);
  EXPECT_EQ(web[0], (TGIFColor{0, 0, 0}));
  EXPECT_EQ(web[180], (TGIFColor{255, 0, 0}));
  EXPECT_EQ(web[2 * 36 + 3 * 6 + 4], (TGIFColor{102, 153, 204}));
  EXPECT_EQ(web[215], (TGIFColor{255, 255, 255}));

  TGIFImage image;
  EXPECT_FALSE(image.Dithers());  // the defaults dither only on palette screens
  EXPECT_TRUE(TGIFImage(GifOptions{.paletteScreen = true}).Dithers());
  image.SetDrawOptions(TGIFDrawOptions(image.DrawOptions()).Exclude(goAutoDither));
  EXPECT_TRUE(image.Dithers());
  image.SetDrawOptions(TGIFDrawOptions(image.DrawOptions()).Exclude(goDither));
  EXPECT_FALSE(image.Dithers());
}

// A frame of one palette index per pixel, drawn with dithering forced on.
std::unique_ptr<GifLoad> Dithered(int width, int height, const std::vector<GifRgb>& colors,
                                  const std::vector<uint8_t>& pixels, std::optional<uint8_t> transparent) {
  GifBuilder builder;
  builder.Screen(width, height, colors);
  if (transparent) builder.GraphicControl(0, 0, transparent);
  auto gif = std::make_unique<GifLoad>(builder.Frame(GifFrame(width, height, pixels, 2)).Trailer().Bytes());
  gif->image->SetDrawOptions(TGIFDrawOptions(gif->image->DrawOptions()).Exclude(goAutoDither));
  return gif;
}

TEST(GifDither, PureRedIsExact) {
  auto gif = Dithered(37, 23, {{255, 0, 0}, {0, 0, 0}}, std::vector<uint8_t>(37 * 23, 0), std::nullopt);
  const TGIFBitmap& bitmap = gif->Frame(0).GetBitmap();
  EXPECT_EQ(bitmap.palette, WebPalette());
  EXPECT_EQ(bitmap.pixels, std::vector<uint8_t>(37 * 23, 180));
}

TEST(GifDither, GrayMixesNeighbouringLevels) {
  const int size = 128;
  auto gif = Dithered(size, size, {{128, 128, 128}, {0, 0, 0}}, std::vector<uint8_t>(size * size, 0), std::nullopt);
  const TGIFBitmap& bitmap = gif->Frame(0).GetBitmap();
  const uint8_t dark = 2 * 36 + 2 * 6 + 2, light = 3 * 36 + 3 * 6 + 3;
  long sum = 0;
  int darkCount = 0;
  for (uint8_t index : bitmap.pixels) {
    ASSERT_TRUE(index == dark || index == light) << int(index);
    darkCount += index == dark;
    sum += WebPalette()[index].red;
  }
  EXPECT_GT(darkCount, 0);
  EXPECT_NEAR(static_cast<double>(sum) / (size * size), 128.0, 2.0);
}

// The error shares, row by row in alternating directions: on a flat colour between levels each
// share decides which pixels tip over to the next level, so the pattern of a few rows pins them.
TEST(GifDither, SerpentineSharesGiveTheirPattern) {
  const int w = 12, h = 4;
  auto gif = Dithered(w, h, {{20, 20, 20}, {0, 0, 0}}, std::vector<uint8_t>(w * h, 0), std::nullopt);
  std::string levels;
  for (uint8_t index : gif->Frame(0).GetBitmap().pixels) levels += static_cast<char>('0' + index / 36);
  EXPECT_EQ(levels,
            "010010010010"
            "100100101010"
            "010101000100"
            "100100101001");
}

TEST(GifDither, TransparentPixelsTakeAndPassNoError) {
  const int w = 40, h = 20;
  std::vector<uint8_t> pixels(w * h);
  for (int i = 0; i < w * h; ++i) pixels[i] = (i % 3 == 1) ? 1 : 0;
  const GifRgb gray{128, 128, 128}, black{20, 20, 20}, white{235, 235, 235};  // not on the cube
  // Gray 128 dithers into a pattern that any error reaching it changes. With index 1 transparent,
  // the pattern must not depend on the colour of index 1, and index 1 keeps its own level.
  auto overBlack = Dithered(w, h, {gray, black}, pixels, 1);
  auto overWhite = Dithered(w, h, {gray, white}, pixels, 1);
  const TGIFBitmap& a = overBlack->Frame(0).GetBitmap();
  const TGIFBitmap& b = overWhite->Frame(0).GetBitmap();
  ASSERT_TRUE(a.HasMask());
  for (int i = 0; i < w * h; ++i) {
    if (pixels[i] == 1) {
      ASSERT_EQ(a.pixels[i], 0) << i;
      ASSERT_EQ(b.pixels[i], 215) << i;
      ASSERT_TRUE(a.Masked(i % w, i / w));
    } else {
      ASSERT_EQ(a.pixels[i], b.pixels[i]) << i;
      ASSERT_FALSE(a.Masked(i % w, i / w));
    }
  }
  // Opaque, the same two frames differ beyond the pixels of index 1.
  auto opaqueBlack = Dithered(w, h, {gray, black}, pixels, std::nullopt);
  auto opaqueWhite = Dithered(w, h, {gray, white}, pixels, std::nullopt);
  int differing = 0;
  for (int i = 0; i < w * h; ++i) {
    differing +=
        pixels[i] == 0 && opaqueBlack->Frame(0).GetBitmap().pixels[i] != opaqueWhite->Frame(0).GetBitmap().pixels[i];
  }
  EXPECT_GT(differing, 0);
}

TEST(GifCanvas, TransparentScreenshotLeavesTheCanvasUnderItsTransparentPixels) {
  std::vector<uint8_t> pixels = {0, 2, 1, 2, 3, 2};
  std::string bytes =
      GifBuilder().Screen(3, 2, kColors).GraphicControl(0, 0, 2).Frame(GifFrame(3, 2, pixels, 2)).Trailer().Bytes();
  GifLoad gif(bytes);
  TGIFCanvas canvas(*gif.image);
  canvas.Render(0);
  EXPECT_EQ(canvas.Pixels(), (std::vector<uint32_t>{Argb(kColors[0]), 0, Argb(kColors[1]), 0, Argb(kColors[3]), 0}));

  // A background colour shows through the same pixels; without goTransparent they are painted.
  GifLoad backed(bytes);
  backed.image->DrawBackgroundColor = 0x123456;
  TGIFCanvas withBackground(*backed.image);
  withBackground.Render(0);
  EXPECT_EQ(withBackground.Pixels()[1], 0xFF123456u);
  backed.image->SetDrawOptions(TGIFDrawOptions(backed.image->DrawOptions()).Exclude(goTransparent));
  TGIFCanvas opaque(*backed.image);
  opaque.Render(0);
  EXPECT_EQ(opaque.Pixels()[1], Argb(kColors[2]));
}

// What each disposal draws is shown by the cases in tests/data/gif_composed/; here, that any frame
// can be asked for: going back starts afresh, jumping ahead composes the frames between.
TEST(GifCanvas, AnyFrameCanBeComposedInAnyOrder) {
  const uint32_t red = Argb(kColors[0]), green = Argb(kColors[3]);
  GifLoad gif(GifBuilder()
                  .Screen(4, 1, kColors)
                  .Frame(Rect(0, 0, 4, 1, 0))
                  .GraphicControl(dmPrevious, 0, std::nullopt)
                  .Frame(Rect(1, 0, 2, 1, 1))
                  .Frame(Rect(2, 0, 1, 1, 3))
                  .Trailer()
                  .Bytes());
  const std::vector<uint32_t> after2 = {red, red, green, red};
  TGIFCanvas canvas(*gif.image);
  canvas.Render(2);
  EXPECT_EQ(canvas.Pixels(), after2);
  canvas.Render(0);
  EXPECT_EQ(canvas.Pixels(), std::vector<uint32_t>(4, red));
  canvas.Render(2);
  EXPECT_EQ(canvas.Pixels(), after2);
}

TEST(GifAnimation, FrameDelaysAndWaits) {
  struct Case {
    int delay;
    bool async;
    int expected;
  };
  const Case cases[] = {{0, true, 10},   {1, true, 3},        {3, false, 3},
                        {50, false, 50}, {2000, false, 1000}, {2000, true, 2000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delay);
    GifLoad gif(
        GifBuilder().Screen(1, 1, kColors).GraphicControl(0, c.delay, std::nullopt).Frame(Rect(0, 0, 1, 1, 0)).Bytes());
    EXPECT_EQ(FrameDelay(gif.Frame(0), GifOptions{}, c.async), c.expected);
  }
  GifLoad plain(GifBuilder().Screen(1, 1, kColors).Frame(Rect(0, 0, 1, 1, 0)).Bytes());
  EXPECT_EQ(FrameDelay(plain.Frame(0), GifOptions{}, false), 10);

  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 100, 0), 120);
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 200, 0), 60);
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 50, 40), 200);
  EXPECT_EQ(FrameWaitMilliseconds(10, GifOptions{}, 100, 500), 0);
  EXPECT_EQ(FrameWaitMilliseconds(1, GifOptions{}, 0, 0), 1200);  // a speed of 0 counts as 1 per cent
}

TEST(GifAnimation, PlaybackOrderAndLoops) {
  auto animation = [](std::optional<uint16_t> loops) {
    GifBuilder builder;
    builder.Screen(1, 1, kColors);
    if (loops) builder.Loop(*loops);
    builder.Frame(Rect(0, 0, 1, 1, 0)).Frame(Rect(0, 0, 1, 1, 1)).GraphicControl(0, 5, std::nullopt);  // empty
    builder.Trailer();
    return std::make_unique<GifLoad>(builder.Bytes());
  };
  auto sequence = [](const TGIFImage& image, TGIFDrawOptions options, int steps) {
    TGIFPlayback playback(image, options);
    std::vector<int> shown = {playback.First()};
    for (int i = 0; i < steps && shown.back() >= 0; ++i) shown.push_back(playback.Next());
    return shown;
  };
  const TGIFDrawOptions once{goAnimate};
  const TGIFDrawOptions loop{goAnimate, goLoop};
  const TGIFDrawOptions always{goAnimate, goLoop, goLoopContinously};
  auto none = animation(std::nullopt);
  ASSERT_EQ(none->image->FrameCount(), 3);
  EXPECT_EQ(sequence(*none->image, once, 10), (std::vector<int>{0, 1, -1}));
  EXPECT_EQ(sequence(*none->image, loop, 10), (std::vector<int>{0, 1, -1}));
  EXPECT_EQ(sequence(*none->image, always, 5), (std::vector<int>{0, 1, 0, 1, 0, 1}));
  auto twice = animation(2);
  EXPECT_EQ(sequence(*twice->image, loop, 10), (std::vector<int>{0, 1, 0, 1, 0, 1, -1}));
  EXPECT_EQ(sequence(*twice->image, once, 10), (std::vector<int>{0, 1, -1}));
  auto forever = animation(0);
  EXPECT_EQ(sequence(*forever->image, loop, 7), (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1}));
}

TEST(GifAnimation, FramePlaceScalesFromTheScreen) {
  GifLoad gif(GifBuilder().Screen(100, 100, kColors).Frame(Rect(10, 20, 30, 40, 0)).Bytes());
  EXPECT_EQ(ScaleFrameRect(gif.Frame(0), 100, 100, TGIFRect{0, 0, 200, 50}), (TGIFRect{20, 10, 80, 30}));
  EXPECT_EQ(ScaleFrameRect(gif.Frame(0), 100, 100, TGIFRect{5, 5, 38, 38}), (TGIFRect{8, 12, 18, 25}));
}

}  // namespace
