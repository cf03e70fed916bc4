// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>

#include "gif/gif_types.h"

namespace kivo::gif {

// The largest GIF file the program reads. Screenshots are a few hundred kilobytes at most; the margin
// is wide, and a file beyond it is refused before a byte is decoded.
inline constexpr size_t kGifFileLimit = size_t{32} << 20;

// Everything an image is read and shown under, given to TGIFImage when it is made and read from it
// by whatever draws or animates it. The defaults are the preview's; tests and fuzzers lower the
// bounds, and the window says whether its screen shows only a palette.
struct GifOptions {
  // What one GIF may cost once read. Screenshots are 256 x 224 to 512 x 478 pixels, and an animated
  // one has a few hundred frames at most; every bound below leaves a wide margin over that, and an
  // input past any of them is refused with "Image too large to decode".
  //
  // Pixels of the logical screen and of any one frame: 4096 x 4096, 64 times the largest screenshot.
  int64_t maxPixels = int64_t{1} << 24;
  // Frames and extensions read into one image. An animation carries one or two extensions a frame.
  int maxFrames = 4096;
  int maxExtensions = 16384;
  // Bytes one image may hold: its frames and extensions, the canvases it is composed on and the
  // pictures the window keeps of it. A 512 x 478 animation of a thousand full frames fits; a still
  // screenshot takes about 2 MB of it.
  size_t memoryBudget = size_t{256} << 20;

  // How the image is drawn at first (TGIFImage::SetDrawOptions changes it later).
  TGIFDrawOptions drawOptions{goAsync, goTransparent, goAnimate, goLoop, goDither, goAutoDither};
  // The screen shows at most 256 colours at a time (8 bits per pixel or fewer): goAutoDither
  // dithers only then.
  bool paletteScreen = false;

  // Animation: a frame's delay is in hundredths of a second, raised to minimumDelay and, for a
  // painter that does not run on its own thread, lowered to maximumDelay; defaultDelay without one.
  // A delay unit lasts delayUnitMs milliseconds, scaled by 100 / animationSpeed (per cent).
  int defaultDelay = 10;
  int minimumDelay = 3;
  int maximumDelay = 1000;
  int delayUnitMs = 12;
  int animationSpeed = 100;
};

}  // namespace kivo::gif
