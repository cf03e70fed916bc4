// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "gif/gif_stream.h"

namespace kivo::gif {

// The LZW decoder of one frame's image data, kept apart from the object model so it can be tested
// and fuzzed on its own.
//
// Reads, from the stream position, the minimum code size byte and the data sub-blocks, and writes
// colour indexes into `pixels` (width x height bytes, rows top to bottom in display order, already
// filled with the value undecoded pixels keep). An interlaced frame is filled in the four GIF passes.
// Leaves the stream after the frame's zero-length block (or at the end of the stream).
//
// Malformed data never reads or writes outside the stream or the pixel buffer. The decoder holds,
// while it runs, a copy of the frame's data sub-blocks and, for an interlaced frame, a scratch
// buffer of the frame's size; both are charged to `budget` when there is one. Warnings ("Decoder
// bit buffer under-run", "Premature end of data") go to `warn`; errors raise GIFException ("Invalid
// GIF data" for a minimum code size above 11, "Circular decoder table entry", "Image too large to
// decode" when the budget cannot hold the buffers).
class TGIFBudget;
struct TGIFLZWFrame {
  uint8_t* pixels;
  int width;
  int height;
  bool interlaced;
  TGIFBudget* budget = nullptr;
};
void DecodeLZW(TGIFStream& stream, const TGIFLZWFrame& frame, const std::function<void(const std::string&)>& warn);

// Row of the frame that the n-th decoded row of an interlaced frame fills (passes from rows 0, 4,
// 2, 1 in steps of 8, 8, 4, 2).
int InterlacedRow(int decodedRow, int height);

}  // namespace kivo::gif
