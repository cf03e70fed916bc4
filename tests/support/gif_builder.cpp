// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/gif_builder.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <unordered_map>
#include <utility>

namespace {

void PutWord(std::string& out, int value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

// The size field of a colour table of 1 to 256 entries: the table holds 2 << bits entries.
int MapSizeBits(size_t entries) { return std::max(1, static_cast<int>(std::bit_width(entries - 1))) - 1; }

void PutMap(std::string& out, const std::vector<GifRgb>& map) {
  for (size_t i = 0; i < (2u << MapSizeBits(map.size())); ++i) {
    const GifRgb c = i < map.size() ? map[i] : GifRgb{};
    out += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
  }
}

}  // namespace

std::string GifLzwPack(const std::vector<uint8_t>& pixels, const GifLzwOptions& options) {
  const int clear = 1 << options.minCodeSize;
  std::unordered_map<uint32_t, int> table;
  // Codes are as wide as the decoder reads them: it enters a code for every code it reads after the
  // first since a clear, and widens its codes when the next code it would enter reaches the limit.
  int decoderNext = clear + 2, width = options.minCodeSize + 1;
  bool afterClear = true;
  std::string out;
  uint64_t pending = 0;
  int pendingBits = 0;
  auto put = [&](int code) {
    pending |= static_cast<uint64_t>(code) << pendingBits;
    for (pendingBits += width; pendingBits >= 8; pendingBits -= 8, pending >>= 8) {
      out.push_back(static_cast<char>(pending & 0xFF));
    }
    if (code == clear) {
      table.clear();
      decoderNext = clear + 2;
      width = options.minCodeSize + 1;
      afterClear = true;
    } else if (!std::exchange(afterClear, false) && decoderNext < 4096 && ++decoderNext >= 1 << width) {
      width = std::min(width + 1, 12);
    }
  };
  if (options.leadingClear) put(clear);
  int prefix = -1;
  for (uint8_t pixel : pixels) {
    if (pixel >= clear) throw std::invalid_argument("pixel index above the minimum code size");
    const uint32_t key = (static_cast<uint32_t>(prefix) << 8) | pixel;
    if (prefix < 0 || table.count(key)) {
      prefix = prefix < 0 ? pixel : table[key];
      continue;
    }
    put(prefix);
    if (table.size() + clear + 2 < 4096) {
      table.emplace(key, static_cast<int>(table.size()) + clear + 2);
    } else if (options.clearWhenFull) {
      put(clear);
    }
    prefix = pixel;
  }
  if (prefix >= 0) put(prefix);
  if (options.endCode) put(clear + 1);
  if (pendingBits > 0) out.push_back(static_cast<char>(pending & 0xFF));
  return out;
}

std::string GifSubBlocks(const std::string& data, int blockSize, bool terminate) {
  std::string out;
  for (size_t i = 0; i < data.size(); i += static_cast<size_t>(blockSize)) {
    const std::string block = data.substr(i, static_cast<size_t>(blockSize));
    out += static_cast<char>(block.size()) + block;
  }
  if (terminate) out.push_back('\0');
  return out;
}

GifFrameLayout GifFrame(int left, int top, int width, int height, std::vector<uint8_t> pixels, int minCodeSize) {
  return {left, top, width, height, std::move(pixels), {}, false, {.minCodeSize = minCodeSize}};
}

GifBuilder& GifBuilder::Screen(int width, int height, const std::vector<GifRgb>& globalMap, uint8_t background) {
  for (int value : {width, height}) PutWord(bytes_, value);
  bytes_.push_back(static_cast<char>(globalMap.empty() ? 0x70 : 0xF0 | MapSizeBits(globalMap.size())));
  bytes_ += {static_cast<char>(background), '\0'};
  if (!globalMap.empty()) PutMap(bytes_, globalMap);
  return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delay, std::optional<uint8_t> transparent) {
  bytes_ += "\x21\xF9\x04";
  bytes_.push_back(static_cast<char>(((disposal & 7) << 2) | (transparent ? 1 : 0)));
  PutWord(bytes_, delay);
  bytes_ += {static_cast<char>(transparent.value_or(0)), '\0'};
  return *this;
}

GifBuilder& GifBuilder::Loop(uint16_t count, const std::string& identifier) {
  bytes_ += "\x21\xFF\x0B" + identifier + "\x03\x01";
  PutWord(bytes_, count);
  bytes_.push_back('\0');
  return *this;
}

GifBuilder& GifBuilder::Descriptor(const GifFrameLayout& frame) {
  bytes_.push_back(',');
  for (int value : {frame.left, frame.top, frame.width, frame.height}) PutWord(bytes_, value);
  const int mapBits = frame.localMap.empty() ? 0 : 0x80 | MapSizeBits(frame.localMap.size());
  bytes_.push_back(static_cast<char>((frame.interlaced ? 0x40 : 0) | mapBits));
  if (!frame.localMap.empty()) PutMap(bytes_, frame.localMap);
  return *this;
}

GifBuilder& GifBuilder::Frame(const GifFrameLayout& frame) {
  Descriptor(frame);
  bytes_.push_back(static_cast<char>(frame.lzw.minCodeSize));
  bytes_ += GifSubBlocks(GifLzwPack(frame.pixels, frame.lzw), frame.lzw.blockSize);
  return *this;
}

GifBuilder& GifBuilder::Raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

std::vector<uint8_t> GifTestPixels(int width, int height, int colors, uint32_t seed, bool noise) {
  std::vector<uint8_t> pixels;
  uint32_t state = seed * 2246822519u + 7;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      const uint32_t value = noise || (state >> 28) == 0 ? state >> 16 : (x / 7) + (y / 5) + ((x * y) >> 9);
      pixels.push_back(static_cast<uint8_t>(value % static_cast<uint32_t>(colors)));
    }
  }
  return pixels;
}
