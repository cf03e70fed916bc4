// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "support/gif_builder.h"

// GIFs written to cost far more memory than their size, as a hostile screenshot file could: the set
// the benchmark measures (tests/data/gif/memory.txt holds the unit tests' own).
namespace gif_hostile {

// `frames` frames without LZW data: full-screen ones restore what was under them (a viewer saves the
// canvas); interlaced ones of width 0 take the screen's size (and the decoder's scratch buffer).
inline std::string FullScreenFrames(int width, int height, int frames, bool zeroWidth = false) {
  GifBuilder gif;
  gif.Screen(width, height, {{0, 0, 0}, {255, 255, 255}});
  const GifFrameLayout frame{0, 0, zeroWidth ? 0 : width, zeroWidth ? 0 : height, {}, {}, zeroWidth};
  for (int i = 0; i < frames; ++i) {
    if (!zeroWidth) gif.GraphicControl(3, 1, std::nullopt);
    gif.Descriptor(frame).Raw(std::string("\x02\x00", 2));
  }
  return gif.Trailer().Bytes();
}

// `count` frames of 4 bytes: an empty comment and a zero byte, no pixels.
inline std::string EmptyFrames(int count) {
  GifBuilder gif;
  gif.Screen(16, 16, {{0, 0, 0}, {255, 255, 255}});
  for (int i = 0; i < count; ++i) gif.Raw(std::string("\x21\xFE\x00\x00", 4));
  return gif.Trailer().Bytes();
}

// One extension (a comment, or an application's data) of `blocks` data sub-blocks of one byte.
inline std::string OneByteSubBlocks(int blocks, bool application) {
  GifBuilder gif;
  gif.Screen(16, 16, {{0, 0, 0}, {255, 255, 255}}).Raw(application ? "\x21\xFF\x0BXMP DataXMP" : "\x21\xFE");
  for (int i = 0; i < blocks; ++i) gif.Raw("\x01x");
  return gif.Raw(std::string(1, '\0')).Trailer().Bytes();
}

struct Sample {
  std::string name, bytes;
};

// Every way above, each at a size that an unbounded reader would pay dearly for.
inline std::vector<Sample> Samples() {
  return {
      {"4 frames on a 5792 x 5792 screen", FullScreenFrames(5792, 5792, 4)},
      {"16 frames on a 4096 x 4096 screen", FullScreenFrames(4096, 4096, 16)},
      {"4 frames on a 2896 x 2896 screen", FullScreenFrames(2896, 2896, 4)},
      {"64 frames of width 0 on a 2048 x 2048 screen", FullScreenFrames(2048, 2048, 64, true)},
      {"65,536 empty frames of 4 bytes", EmptyFrames(65536)},
      {"a comment of 1,000,000 one-byte sub-blocks", OneByteSubBlocks(1000000, false)},
      {"application data of 1,000,000 one-byte sub-blocks", OneByteSubBlocks(1000000, true)},
  };
}

}  // namespace gif_hostile
