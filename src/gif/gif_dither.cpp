// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_dither.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "gif/gif_image.h"
#include "gif/gif_sub_image.h"

namespace kivo::gif {

namespace {

// Nearest of the six levels 0, 51, ..., 255; values outside 0..255 clamp.
inline int Level(int value) { return value <= 0 ? 0 : std::min(5, (value + 25) / 51); }

}  // namespace

const std::vector<TGIFColor>& WebPalette() {
  static const std::vector<TGIFColor> palette = [] {
    std::vector<TGIFColor> colors;
    colors.reserve(216);
    for (int r = 0; r < 6; ++r) {
      for (int g = 0; g < 6; ++g) {
        for (int b = 0; b < 6; ++b) {
          colors.push_back(
              TGIFColor{static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51), static_cast<uint8_t>(b * 51)});
        }
      }
    }
    return colors;
  }();
  return palette;
}

TGIFBitmap DitherFrame(const TGIFSubImage& frame, bool wantMask) {
  TGIFBitmap bitmap;
  bitmap.palette = WebPalette();
  if (frame.Empty()) return bitmap;
  const int width = frame.Width();
  const int height = frame.Height();
  bitmap.width = width;
  bitmap.height = height;
  bitmap.pixels.resize(static_cast<size_t>(width) * height);

  std::optional<uint8_t> transparentIndex = wantMask ? frame.TransparentIndex() : std::nullopt;
  std::vector<uint8_t> mask;
  int stride = MaskStride(width);
  if (transparentIndex) mask.assign(static_cast<size_t>(stride) * height, 0);
  bool anyTransparent = false;

  const TGIFColorMap& map = frame.ActiveColorMap();
  const size_t n = static_cast<size_t>(width) + 2;
  // Errors of the current and the next row per channel; position x is element x + 1.
  std::vector<int> cur[3] = {std::vector<int>(n), std::vector<int>(n), std::vector<int>(n)};
  std::vector<int> next[3] = {std::vector<int>(n), std::vector<int>(n), std::vector<int>(n)};
  TGIFImage* image = frame.Image();

  for (int y = 0; y < height; ++y) {
    for (auto& row : next) std::fill(row.begin(), row.end(), 0);
    if (image && y % 32 == 0) image->Progress(TGIFProgressStage::Running, y * 100 / height, gif_text::kRendering);
    const bool leftToRight = (y % 2) == 0;
    const int dir = leftToRight ? 1 : -1;
    const uint8_t* src = frame.Data().data() + static_cast<size_t>(y) * width;
    uint8_t* dst = bitmap.pixels.data() + static_cast<size_t>(y) * width;
    for (int i = 0; i < width; ++i) {
      const int x = leftToRight ? i : width - 1 - i;
      const uint8_t index = src[x];
      const TGIFColor color = map.Color(index);
      const int value[3] = {color.red, color.green, color.blue};
      if (transparentIndex && index == *transparentIndex) {
        mask[static_cast<size_t>(y) * stride + (x >> 3)] |= static_cast<uint8_t>(0x80 >> (x & 7));
        anyTransparent = true;
        dst[x] = static_cast<uint8_t>(Level(value[0]) * 36 + Level(value[1]) * 6 + Level(value[2]));
        continue;
      }
      int level[3];
      const size_t e = static_cast<size_t>(x) + 1;
      for (int c = 0; c < 3; ++c) {
        int sum = value[c] + cur[c][e] / 1024;
        level[c] = Level(sum);
        int error = (sum - level[c] * 51) * 1024;
        cur[c][e + dir] += error * 7 / 16;
        next[c][e - dir] += error * 3 / 16;
        next[c][e] += error * 5 / 16;
        next[c][e + dir] += error * 1 / 16;
      }
      dst[x] = static_cast<uint8_t>(level[0] * 36 + level[1] * 6 + level[2]);
    }
    for (int c = 0; c < 3; ++c) std::swap(cur[c], next[c]);
  }
  if (anyTransparent) {
    bitmap.mask = std::move(mask);
    bitmap.maskStride = stride;
  }
  return bitmap;
}

}  // namespace kivo::gif
