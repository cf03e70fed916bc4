// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Builds GIF bytes for tests: a real LZW encoder with switches for what encoders differ in or get
// wrong, and raw pieces for streams no encoder would write.

struct GifRgb {
  uint8_t r = 0, g = 0, b = 0;
};

struct GifLzwOptions {
  int minCodeSize = 8;
  bool leadingClear = true;   // start the data with a clear code
  bool endCode = true;        // finish the data with the end code
  bool clearWhenFull = true;  // clear when the table reaches 4096 codes, or keep coding at 12 bits
  int blockSize = 255;        // data sub-block size
};

// LZW codes of the pixel indexes (each below 2^minCodeSize), packed least significant bit first,
// without the minimum code size byte and without sub-blocks.
std::string GifLzwPack(const std::vector<uint8_t>& pixels, const GifLzwOptions& options);
// Bytes cut into data sub-blocks (size byte, bytes) followed by the zero-length block unless told.
std::string GifSubBlocks(const std::string& data, int blockSize = 255, bool terminate = true);

struct GifFrameLayout {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> pixels = {};   // width x height colour indexes, in the order the file stores them
  std::vector<GifRgb> localMap = {};  // a power of two of 2 to 256 entries, or empty
  bool interlaced = false;            // the pixels' rows are then in the four passes' order
  GifLzwOptions lzw = {};
};

// A frame at the given place of width x height pixels (colour indexes in display order).
GifFrameLayout GifFrame(int left, int top, int width, int height, std::vector<uint8_t> pixels, int minCodeSize = 8);

class GifBuilder {
 public:
  explicit GifBuilder(const std::string& signature = "GIF89a") : bytes_(signature) {}

  GifBuilder& Screen(int width, int height, const std::vector<GifRgb>& globalMap = {}, uint8_t background = 0);
  GifBuilder& GraphicControl(int disposal, int delay, std::optional<uint8_t> transparent);
  GifBuilder& Loop(uint16_t count, const std::string& identifier = "NETSCAPE2.0");
  GifBuilder& Frame(const GifFrameLayout& frame);
  // Image descriptor and local map only, for frames whose data the test writes itself.
  GifBuilder& Descriptor(const GifFrameLayout& frame);
  GifBuilder& Raw(const std::string& bytes);
  GifBuilder& Trailer() { return Raw(";"); }

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Pixels below `colors` that compress like a picture (runs and gradients with some noise), or with
// `noise`, noise alone, which fills the LZW table again and again.
std::vector<uint8_t> GifTestPixels(int width, int height, int colors, uint32_t seed, bool noise = false);
