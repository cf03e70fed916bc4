#pragma once

#include <cstddef>
#include <cstdint>

// The largest GIF file the program reads. Screenshots are a few hundred kilobytes at most; the margin
// is wide, and a file beyond it is refused before a byte is decoded.
inline constexpr size_t kGifFileLimit = size_t{32} << 20;

// What one GIF may cost once read. Screenshots are 256 x 224 to 512 x 478 pixels, and an animated
// one has a few hundred frames at most; every bound below leaves a wide margin over that, and an
// input past any of them is refused with "Image too large to decode". Tests and fuzzers lower them.
struct GifLimits {
  // Pixels of the logical screen and of any one frame: 4096 x 4096, 64 times the largest screenshot.
  int64_t maxPixels = int64_t{1} << 24;
  // Frames and extensions read into one image. An animation carries one or two extensions a frame.
  int maxFrames = 4096;
  int maxExtensions = 16384;
  // Bytes one image may hold: its frames and extensions, the canvases it is composed on and the
  // pictures the window keeps of it. A 512 x 478 animation of a thousand full frames fits; a still
  // screenshot takes about 2 MB of it.
  size_t memoryBudget = size_t{256} << 20;
};
