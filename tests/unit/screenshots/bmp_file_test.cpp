// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/bmp_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

struct BmpHeader {
  uint32_t headerSize = 40;
  int32_t width = 3;
  int32_t height = 2;
  uint16_t bitsPerPixel = 24;
  uint32_t compression = 0;
  uint32_t dataSize = 0;
  uint32_t paletteBytes = 0;
  int64_t pixelOffset = -1;  // negative: right after the headers and the palette
};

// The file header, the information header and a zero palette; the pixel bytes are the caller's.
std::string Headers(const BmpHeader& h) {
  std::string out = "BM";
  uint32_t offset = h.pixelOffset < 0 ? 14 + h.headerSize + h.paletteBytes : static_cast<uint32_t>(h.pixelOffset);
  Put32(out, 0);  // file size: writers disagree about it, so nobody trusts it
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, h.headerSize);
  if (h.headerSize == 12) {
    Put16(out, static_cast<uint32_t>(h.width));
    Put16(out, static_cast<uint32_t>(h.height));
    Put16(out, 1);
    Put16(out, h.bitsPerPixel);
  } else {
    Put32(out, static_cast<uint32_t>(h.width));
    Put32(out, static_cast<uint32_t>(h.height));
    Put16(out, 1);
    Put16(out, h.bitsPerPixel);
    Put32(out, h.compression);
    Put32(out, h.dataSize);
    out.resize(14 + h.headerSize, '\0');
  }
  out.append(h.paletteBytes, '\0');
  return out;
}

struct Case {
  const char* name;
  BmpHeader header;
  size_t pixelBytes;
  bool complete;
};

class BmpFileCompleteTest : public testing::TestWithParam<Case> {};

TEST_P(BmpFileCompleteTest, JudgesWhetherThePixelsAreAllThere) {
  const Case& c = GetParam();
  std::string bytes = Headers(c.header) + std::string(c.pixelBytes, '\x5A');
  EXPECT_EQ(BmpFileComplete(bytes), c.complete);
}

// A 3 x 2 picture at 24 bits has rows of 9 bytes padded to 12: 24 bytes of pixels.
const Case kCases[] = {
    {"WholeRgbPicture", {}, 24, true},
    {"TrailingBytesAfterThePixels", {}, 30, true},
    {"LastByteMissing", {}, 23, false},
    {"RowPaddingMissing", {}, 18, false},
    {"TopDownRowsComplete", {.height = -2}, 24, true},
    {"TopDownRowsCut", {.height = -2}, 12, false},
    {"OneBitRowsPadToWords", {.width = 33, .height = 4, .bitsPerPixel = 1, .paletteBytes = 8}, 32, true},
    {"OneBitRowsCut", {.width = 33, .height = 4, .bitsPerPixel = 1, .paletteBytes = 8}, 31, false},
    {"BitFieldsComplete", {.width = 2, .height = 2, .bitsPerPixel = 16, .compression = 3, .paletteBytes = 12}, 8, true},
    {"BitFieldsCut", {.width = 2, .height = 2, .bitsPerPixel = 16, .compression = 3, .paletteBytes = 12}, 7, false},
    {"CoreHeaderComplete",
     {.headerSize = 12, .width = 4, .height = 3, .bitsPerPixel = 8, .paletteBytes = 768},
     12,
     true},
    {"CoreHeaderCut", {.headerSize = 12, .width = 4, .height = 3, .bitsPerPixel = 8, .paletteBytes = 768}, 11, false},
    {"LaterHeaderVersion", {.headerSize = 124}, 24, true},
    {"RunLengthDataAsStated", {.bitsPerPixel = 8, .compression = 1, .dataSize = 10, .paletteBytes = 1024}, 10, true},
    {"RunLengthDataShort", {.bitsPerPixel = 8, .compression = 1, .dataSize = 10, .paletteBytes = 1024}, 9, false},
    {"UnknownEncodingLeftToTheReader", {.compression = 4}, 1, true},
    {"PixelsPastTheEndOfTheFile", {.pixelOffset = 4000}, 24, false},
    // An offset pointing into the headers: the pixels follow the headers.
    {"OffsetInsideTheHeaders", {.pixelOffset = 0}, 24, true},
    {"OffsetInsideTheHeadersCut", {.pixelOffset = 0}, 23, false},
    // Sizes whose product does not fit in 64 bits must not wrap round to "small enough".
    {"HugeSizesDoNotOverflow", {.width = 0x7FFFFFFF, .height = -0x7FFFFFFF, .bitsPerPixel = 0xFFFF}, 64, false},
    {"NegativeWidth", {.width = -3}, 24, false},
    {"EmptyPicture", {.width = 0, .height = 0}, 0, true},
    {"UnknownHeaderSize", {.headerSize = 20}, 24, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, BmpFileCompleteTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(BmpFileComplete, RefusesWhatIsNoBmpHeaderAtAll) {
  std::string whole = Headers({}) + std::string(24, '\0');
  EXPECT_TRUE(BmpFileComplete(whole));
  for (size_t cut : {size_t{0}, size_t{2}, size_t{14}, size_t{17}, size_t{30}, size_t{53}}) {
    EXPECT_FALSE(BmpFileComplete(whole.substr(0, cut))) << "cut at " << cut;
  }
  std::string wrongSignature = whole;
  wrongSignature[1] = 'A';
  EXPECT_FALSE(BmpFileComplete(wrongSignature));
}

}  // namespace
