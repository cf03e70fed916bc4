// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/gif_builder.h"

#include <stdexcept>
#include <unordered_map>

namespace {

class BitPacker {
 public:
  void Put(int code, int width) {
    acc_ |= static_cast<uint64_t>(code) << nbits_;
    nbits_ += width;
    while (nbits_ >= 8) {
      out_.push_back(static_cast<char>(acc_ & 0xFF));
      acc_ >>= 8;
      nbits_ -= 8;
    }
  }
  std::string Finish() {
    if (nbits_ > 0) out_.push_back(static_cast<char>(acc_ & 0xFF));
    acc_ = 0;
    nbits_ = 0;
    return out_;
  }

 private:
  std::string out_;
  uint64_t acc_ = 0;
  int nbits_ = 0;
};

void PutWord(std::string& out, int value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

int MapSizeBits(size_t entries) {
  int bits = 0;
  while ((2u << bits) < entries) ++bits;
  return bits;
}

void PutMap(std::string& out, const std::vector<GifRgb>& map) {
  size_t entries = 2u << MapSizeBits(map.size());
  for (size_t i = 0; i < entries; ++i) {
    GifRgb c = i < map.size() ? map[i] : GifRgb{};
    out.push_back(static_cast<char>(c.r));
    out.push_back(static_cast<char>(c.g));
    out.push_back(static_cast<char>(c.b));
  }
}

}  // namespace

std::string GifLzwPack(const std::vector<uint8_t>& pixels, const GifLzwOptions& options) {
  const int clear = 1 << options.minCodeSize;
  const int end = clear + 1;
  BitPacker out;
  // The encoder follows the decoder's view of the table: the decoder enters a code for every code
  // it reads after the first since a clear, and widens its codes when the next free code reaches
  // the limit.
  std::unordered_map<uint32_t, int> table;
  int encoderFree = clear + 2;
  int decoderFree = clear + 2;
  int width = options.minCodeSize + 1;
  int limit = 2 * clear;
  bool firstAfterClear = true;
  auto reset = [&] {
    table.clear();
    encoderFree = decoderFree = clear + 2;
    width = options.minCodeSize + 1;
    limit = 2 * clear;
    firstAfterClear = true;
  };
  auto emit = [&](int code) {
    out.Put(code, width);
    if (firstAfterClear) {
      firstAfterClear = false;
      return;
    }
    if (decoderFree < 4096) {
      ++decoderFree;
      if (decoderFree >= limit && limit <= 4095) {
        limit *= 2;
        ++width;
      }
    }
  };
  if (options.leadingClear) out.Put(clear, width);
  int prefix = -1;
  for (uint8_t pixel : pixels) {
    if (pixel >= clear) throw std::invalid_argument("pixel index above the minimum code size");
    if (prefix < 0) {
      prefix = pixel;
      continue;
    }
    uint32_t key = (static_cast<uint32_t>(prefix) << 8) | pixel;
    auto it = table.find(key);
    if (it != table.end()) {
      prefix = it->second;
      continue;
    }
    emit(prefix);
    if (encoderFree < 4096) {
      table.emplace(key, encoderFree++);
    } else if (options.clearWhenFull) {
      out.Put(clear, width);
      reset();
    }
    prefix = pixel;
  }
  if (prefix >= 0) emit(prefix);
  if (options.endCode) out.Put(end, width);
  return out.Finish();
}

std::string GifPackCodes(const std::vector<std::pair<int, int>>& codesAndWidths) {
  BitPacker out;
  for (auto [code, width] : codesAndWidths) out.Put(code, width);
  return out.Finish();
}

std::string GifSubBlocks(const std::string& data, int blockSize, bool terminate) {
  std::string out;
  for (size_t i = 0; i < data.size(); i += static_cast<size_t>(blockSize)) {
    std::string block = data.substr(i, static_cast<size_t>(blockSize));
    out.push_back(static_cast<char>(block.size()));
    out += block;
  }
  if (terminate) out.push_back('\0');
  return out;
}

GifFrameSpec GifFrame(int left, int top, int width, int height, std::vector<uint8_t> pixels, int minCodeSize) {
  GifFrameSpec frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.pixels = std::move(pixels);
  frame.lzw.minCodeSize = minCodeSize;
  return frame;
}

GifBuilder& GifBuilder::Screen(int width, int height, const std::vector<GifRgb>& globalMap, uint8_t background) {
  PutWord(bytes_, width);
  PutWord(bytes_, height);
  uint8_t packed = globalMap.empty() ? 0x70 : static_cast<uint8_t>(0xF0 | MapSizeBits(globalMap.size()));
  bytes_.push_back(static_cast<char>(packed));
  bytes_.push_back(static_cast<char>(background));
  bytes_.push_back('\0');
  if (!globalMap.empty()) PutMap(bytes_, globalMap);
  return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delay, std::optional<uint8_t> transparent) {
  bytes_ += "\x21\xF9\x04";
  bytes_.push_back(static_cast<char>(((disposal & 7) << 2) | (transparent ? 1 : 0)));
  PutWord(bytes_, delay);
  bytes_.push_back(static_cast<char>(transparent.value_or(0)));
  bytes_.push_back('\0');
  return *this;
}

GifBuilder& GifBuilder::Loop(uint16_t count, const std::string& identifier) {
  bytes_ += "\x21\xFF\x0B";
  bytes_ += identifier;
  bytes_ += "\x03\x01";
  PutWord(bytes_, count);
  bytes_.push_back('\0');
  return *this;
}

GifBuilder& GifBuilder::Comment(const std::string& text) {
  bytes_ += "\x21\xFE";
  bytes_ += GifSubBlocks(text);
  return *this;
}

GifBuilder& GifBuilder::Descriptor(const GifFrameSpec& frame) {
  bytes_.push_back(',');
  PutWord(bytes_, frame.left);
  PutWord(bytes_, frame.top);
  PutWord(bytes_, frame.width);
  PutWord(bytes_, frame.height);
  uint8_t packed = frame.interlaced ? 0x40 : 0;
  if (!frame.localMap.empty()) packed |= static_cast<uint8_t>(0x80 | MapSizeBits(frame.localMap.size()));
  bytes_.push_back(static_cast<char>(packed));
  if (!frame.localMap.empty()) PutMap(bytes_, frame.localMap);
  return *this;
}

GifBuilder& GifBuilder::Frame(const GifFrameSpec& frame) {
  Descriptor(frame);
  std::vector<uint8_t> rows =
      frame.interlaced ? GifInterlaceRows(frame.pixels, frame.width, frame.height) : frame.pixels;
  bytes_.push_back(static_cast<char>(frame.lzw.minCodeSize));
  bytes_ += GifSubBlocks(GifLzwPack(rows, frame.lzw), frame.lzw.blockSize);
  return *this;
}

GifBuilder& GifBuilder::Raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

std::vector<GifRgb> GifTestPalette(int count, uint32_t seed) {
  std::vector<GifRgb> map;
  uint32_t state = seed * 2654435761u + 1;
  for (int i = 0; i < count; ++i) {
    state = state * 1664525u + 1013904223u;
    map.push_back(
        GifRgb{static_cast<uint8_t>(i), static_cast<uint8_t>(state >> 24), static_cast<uint8_t>(state >> 16)});
  }
  return map;
}

std::vector<uint8_t> GifTestPixels(int width, int height, int colors, uint32_t seed) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
  uint32_t state = seed * 2246822519u + 7;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      int value = ((x / 7) + (y / 5) + ((x * y) >> 9)) % colors;
      if ((state >> 28) == 0) value = static_cast<int>((state >> 8) % static_cast<uint32_t>(colors));
      pixels[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(value);
    }
  }
  return pixels;
}

std::vector<uint8_t> GifNoisePixels(int width, int height, int colors, uint32_t seed) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
  for (auto& p : pixels) p = static_cast<uint8_t>(((seed = seed * 1103515245u + 12345u) >> 16) % colors);
  return pixels;
}

std::vector<uint8_t> GifInterlaceRows(const std::vector<uint8_t>& pixels, int width, int height) {
  static constexpr int kStart[4] = {0, 4, 2, 1};
  static constexpr int kStep[4] = {8, 8, 4, 2};
  std::vector<uint8_t> rows;
  rows.reserve(pixels.size());
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) {
      rows.insert(rows.end(), pixels.begin() + static_cast<ptrdiff_t>(y) * width,
                  pixels.begin() + static_cast<ptrdiff_t>(y + 1) * width);
    }
  }
  return rows;
}
