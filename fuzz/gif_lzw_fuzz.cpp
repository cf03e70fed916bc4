// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Feeds arbitrary image data to the LZW decoder alone. The first three bytes choose the frame's
// width, height, interlacing and budget; the rest is the minimum code size byte and the sub-blocks.
// With a budget, the decoder's buffers must be refused when it cannot hold them and given back
// whatever happens.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gif/gif_budget.h"
#include "gif/gif_lzw.h"
#include "gif/gif_types.h"

using namespace kivo::gif;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int width = 1 + data[0] % 97;
  const int height = 1 + data[1] % 97;
  const bool interlaced = (data[2] & 1) != 0;
  // 0: a decoder outside any image, unbounded; else a budget of 256-byte steps up to 32 KB, around
  // what the buffers of such a frame take.
  const size_t steps = data[2] >> 1;
  std::unique_ptr<TGIFBudget> budget = steps == 0 ? nullptr : std::make_unique<TGIFBudget>(steps * 256);
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height, 0xA5);
  TGIFStream stream(data + 3, size - 3);
  try {
    DecodeLZW(stream, TGIFLZWFrame{pixels.data(), width, height, interlaced, budget.get()}, [](const std::string&) {});
  } catch (const GIFException&) {
  }
  if (stream.Position() > size - 3) __builtin_trap();
  if (budget && budget->Used() != 0) __builtin_trap();
  return 0;
}
