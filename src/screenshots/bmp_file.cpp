// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/bmp_file.h"

#include <algorithm>
#include <cstdint>

namespace kivo::screenshots {

namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // the oldest header: 16-bit sizes, no compression field
constexpr uint32_t kInfoHeaderSize = 40;  // the common header; later versions only grow it

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

uint32_t Le16(std::string_view bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) | static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8;
}

uint32_t Le32(std::string_view bytes, size_t at) { return Le16(bytes, at) | Le16(bytes, at + 2) << 16; }

}  // namespace

bool BmpFileComplete(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize + 4 || bytes.substr(0, 2) != "BM") return false;
  const uint64_t pixelOffset = Le32(bytes, 10);
  const uint32_t headerSize = Le32(bytes, 14);
  if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) return false;
  if (bytes.size() < kFileHeaderSize + headerSize) return false;

  int64_t width = 0;
  int64_t height = 0;
  uint32_t bitsPerPixel = 0;
  uint32_t compression = kRgb;
  uint32_t dataSize = 0;
  if (headerSize == kCoreHeaderSize) {
    width = Le16(bytes, 18);
    height = Le16(bytes, 20);
    bitsPerPixel = Le16(bytes, 24);
  } else {
    width = static_cast<int32_t>(Le32(bytes, 18));
    height = static_cast<int32_t>(Le32(bytes, 22));  // negative: rows stored top to bottom
    bitsPerPixel = Le16(bytes, 28);
    compression = Le32(bytes, 30);
    dataSize = Le32(bytes, 34);
  }
  if (width < 0) return false;

  // A pixel offset inside the headers means the pixels follow them (and the palette) directly.
  const uint64_t dataStart = std::max<uint64_t>(pixelOffset, kFileHeaderSize + headerSize);
  if (dataStart > bytes.size()) return false;
  const uint64_t available = bytes.size() - dataStart;

  switch (compression) {
    case kRgb:
    case kBitFields:
    case kAlphaBitFields: {
      // Rows are padded to whole 32-bit words. Compared by division so that no header, however
      // large its sizes, overflows the arithmetic.
      const uint64_t rowBytes = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
      const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
      return rows == 0 || rowBytes <= available / rows;
    }
    case kRle8:
    case kRle4:
      return dataSize <= available;
    default:
      return true;
  }
}

}  // namespace kivo::screenshots
