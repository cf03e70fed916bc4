// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "gif/gif_types.h"

namespace kivo::gif {

// A frame made displayable: one palette index per pixel with its palette, and an optional 1-bit
// transparency mask (most significant bit first, rows padded to a multiple of 16 bits, a set bit
// marking a transparent pixel). Plain data, so any toolkit can wrap it.
struct TGIFBitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;     // width x height palette indexes, top row first
  std::vector<TGIFColor> palette;  // the frame's palette, or the 216 web colours when dithered
  std::vector<uint8_t> mask;       // empty when no pixel is transparent
  int maskStride = 0;              // bytes per mask row

  bool HasMask() const { return !mask.empty(); }
  bool Masked(int x, int y) const {
    return HasMask() && (mask[static_cast<size_t>(y) * maskStride + (x >> 3)] & (0x80 >> (x & 7))) != 0;
  }
};

// Bytes per row of a 1-bit mask of `width` pixels, rows padded to 16 bits.
inline int MaskStride(int width) { return ((width + 15) / 16) * 2; }

}  // namespace kivo::gif
