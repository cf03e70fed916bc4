// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The LZW decoder on its own and through the reader: code widths, table limits, early ends,
// interlacing, and malformed data.
#include <gtest/gtest.h>

#include <set>

#include "gif/gif_lzw.h"
#include "unit/gif/gif_test_util.h"

namespace {

using namespace std::string_literals;

using Strings = std::vector<std::string>;

struct Decoded {
  std::vector<uint8_t> pixels;
  Strings warnings;
  size_t position = 0;  // where the stream stands afterwards
};

// Decodes `data` (minimum code size byte and sub-blocks) into a frame pre-filled with `fill`.
Decoded Decode(const std::string& data, int width, int height, bool interlaced = false, uint8_t fill = 0xEE) {
  Decoded out;
  out.pixels.assign(static_cast<size_t>(width) * height, fill);
  TGIFStream stream(data);
  DecodeLZW(stream, TGIFLZWFrame{out.pixels.data(), width, height, interlaced},
            [&](const std::string& message) { out.warnings.push_back(message); });
  out.position = stream.Position();
  return out;
}

std::string Encoded(const std::vector<uint8_t>& pixels, GifLzwOptions options) {
  return std::string(1, static_cast<char>(options.minCodeSize)) +
         GifSubBlocks(GifLzwPack(pixels, options), options.blockSize);
}

TEST(GifLzw, RoundTripsEncoderVariants) {
  struct Case {
    std::string name;
    GifLzwOptions options;
    int colors;
  };
  const Case cases[] = {
      {"defaults", {}, 256},
      {"no leading clear code", {.leadingClear = false}, 256},
      {"full table kept at 12 bits", {.clearWhenFull = false}, 256},
      {"full table, no leading clear, small blocks",
       {.leadingClear = false, .clearWhenFull = false, .blockSize = 7},
       256},
      {"code size 2", {.minCodeSize = 2}, 4},
      {"code size 3, one-byte blocks", {.minCodeSize = 3, .blockSize = 1}, 8},
      {"code size 5", {.minCodeSize = 5}, 32},
      {"code size 7, 254-byte blocks", {.minCodeSize = 7, .blockSize = 254}, 128},
      {"code size 11", {.minCodeSize = 11}, 256},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int width = 211, height = 157;
    std::vector<uint8_t> pixels = GifTestPixels(width, height, c.colors, 3);
    for (size_t i = 0; i < pixels.size(); i += 3) pixels[i] = static_cast<uint8_t>((i * 2654435761u >> 13) % c.colors);
    std::string data = Encoded(pixels, c.options) + "X";
    Decoded out = Decode(data, width, height);
    EXPECT_EQ(out.pixels, pixels);
    EXPECT_EQ(out.warnings, Strings{});
    EXPECT_EQ(out.position, data.size() - 1);  // right after the zero-length block
  }
}

TEST(GifLzw, FullTableReallyStaysFullUntilAClear) {
  // Noise in 256 colours fills the table many times over; without clear codes every later code is
  // 12 bits wide and only codes already entered may appear.
  std::vector<uint8_t> pixels(120000);
  uint32_t state = 5;
  for (auto& p : pixels) p = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 24);
  std::string packed = GifLzwPack(pixels, {.clearWhenFull = false});
  // Far more codes than the table holds, so most of them are read at 12 bits from a full table.
  ASSERT_GT(packed.size() * 8 / 12, 3u * 4096u);
  Decoded out = Decode(std::string("\x08") + GifSubBlocks(packed), 400, 300);
  EXPECT_EQ(out.pixels, pixels);
}

TEST(GifLzw, EarlyEndsKeepTheFillValue) {
  std::vector<uint8_t> pixels = GifTestPixels(20, 10, 16, 9);
  std::vector<uint8_t> half(pixels.begin(), pixels.begin() + 100);
  struct Case {
    std::string name;
    GifLzwOptions options;
  };
  for (const Case& c :
       {Case{"end code", {.minCodeSize = 4}}, Case{"no end code", {.minCodeSize = 4, .endCode = false}}}) {
    SCOPED_TRACE(c.name);
    std::string data = Encoded(half, c.options) + ";";
    Decoded out = Decode(data, 20, 10, false, 7);
    std::vector<uint8_t> expected = half;
    expected.resize(200, 7);
    EXPECT_EQ(out.pixels, expected);
    EXPECT_EQ(out.position, data.size() - 1);
  }
}

TEST(GifLzw, MissingEndCodeReadsToTheTerminatorAndWarnsOnUnderrun) {
  // Code size 3: codes 4 bits wide; two literals fill exactly one byte, then the data ends.
  std::string data = std::string("\x03") + GifSubBlocks(GifPackCodes({{1, 4}, {2, 4}})) + "!";
  Decoded out = Decode(data, 2, 2, false, 9);
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{1, 2, 9, 9}));
  EXPECT_EQ(out.warnings, Strings{"Decoder bit buffer under-run"});
  EXPECT_EQ(out.position, data.size() - 1);
}

TEST(GifLzw, SkipsWhatFollowsTheLastPixel) {
  // All pixels, then codes that are not the end code and a further sub-block: reading still goes
  // on at the next block.
  std::vector<uint8_t> pixels = {1, 2, 3, 1};
  std::string codes = GifLzwPack(pixels, {.minCodeSize = 2, .endCode = false});
  std::string data =
      std::string("\x02") + GifSubBlocks(codes + "\x33\x33", 255, false) + "\x02zz" + std::string(1, '\0') + ",";
  Decoded out = Decode(data, 2, 2);
  EXPECT_EQ(out.pixels, pixels);
  EXPECT_EQ(out.position, data.size() - 1);
  // After an end code, the sub-blocks up to the zero-length one are skipped.
  std::string withEnd = Encoded(pixels, {.minCodeSize = 2});
  withEnd.pop_back();
  withEnd +=
      "\x03"
      "abc" +
      std::string(1, '\0') + ",";
  EXPECT_EQ(Decode(withEnd, 2, 2).position, withEnd.size() - 1);
}

TEST(GifLzw, SubBlockLongerThanTheStream) {
  std::vector<uint8_t> pixels = GifTestPixels(16, 16, 4, 2);
  std::string packed = GifLzwPack(pixels, {.minCodeSize = 2});
  std::string data = std::string("\x02") + static_cast<char>(packed.size() + 40) + packed;
  Decoded out = Decode(data, 16, 16);
  EXPECT_EQ(out.pixels, pixels);
  EXPECT_EQ(out.warnings, Strings{"Premature end of data"});
  EXPECT_EQ(out.position, data.size());
  // Cut in the middle: what was there is decoded, nothing is read past the end.
  std::string cut = data.substr(0, data.size() / 2);
  Decoded part = Decode(cut, 16, 16, false, 0xEE);
  EXPECT_TRUE(std::equal(part.pixels.begin(), part.pixels.begin() + 40, pixels.begin()));
  EXPECT_EQ(part.pixels.back(), 0xEE);
  EXPECT_EQ(part.position, cut.size());
  // A size byte and nothing after it.
  Decoded empty = Decode("\x02\x10"s, 2, 2, false, 3);
  EXPECT_EQ(empty.pixels, std::vector<uint8_t>(4, 3));
  EXPECT_EQ(empty.warnings, (Strings{"Premature end of data", "Decoder bit buffer under-run"}));
}

TEST(GifLzw, InterlacedFramesFillEveryRowOnce) {
  for (int height : {1, 2, 3, 4, 5, 8, 9, 17}) {
    SCOPED_TRACE(height);
    std::set<int> rows;
    for (int r = 0; r < height; ++r) rows.insert(InterlacedRow(r, height));
    EXPECT_EQ(rows.size(), static_cast<size_t>(height));
    EXPECT_EQ(*rows.begin(), 0);
    EXPECT_EQ(*rows.rbegin(), height - 1);

    const int width = 3;
    std::vector<uint8_t> pixels;
    for (int y = 0; y < height; ++y) pixels.insert(pixels.end(), width, static_cast<uint8_t>(y + 1));
    GifFrameSpec frame = GifFrame(width, height, pixels, 5);
    frame.interlaced = true;
    GifLoad gif(GifBuilder().Screen(width, height, GifTestPalette(32)).Frame(frame).Trailer().Bytes());
    ASSERT_EQ(gif.error, "");
    EXPECT_EQ(gif.warnings, Strings{});
    EXPECT_EQ(gif.Frame(0).Data(), pixels);
  }
  EXPECT_EQ(InterlacedRow(0, 9), 0);
  EXPECT_EQ(InterlacedRow(1, 9), 8);
  EXPECT_EQ(InterlacedRow(2, 9), 4);
  EXPECT_EQ(InterlacedRow(3, 9), 2);
  EXPECT_EQ(InterlacedRow(4, 9), 6);
  EXPECT_EQ(InterlacedRow(5, 9), 1);
}

TEST(GifLzw, InterlacedFrameWithoutWidth) {
  // A screen of width 0 lends its width to a frame with none: no pixels, nothing to place.
  GifFrameSpec frame = GifFrame(0, 5, {}, 2);
  frame.interlaced = true;
  GifLoad gif(
      GifBuilder().Screen(0, 5, GifTestPalette(4)).Descriptor(frame).Raw("\x02\x01\x44\x00"s).Trailer().Bytes());
  EXPECT_EQ(gif.error, "");
  ASSERT_EQ(gif.image->FrameCount(), 1);
  EXPECT_TRUE(gif.Frame(0).Empty());
}

TEST(GifLzw, InterlacedEarlyEndLeavesLaterPassesFilled) {
  std::vector<uint8_t> pixels(4 * 9, 1);
  // Only the first pass (rows 0 and 8) is in the data.
  std::string data = Encoded(std::vector<uint8_t>(8, 1), {.minCodeSize = 2});
  Decoded out = Decode(data, 4, 9, true, 0);
  for (int y = 0; y < 9; ++y) {
    SCOPED_TRACE(y);
    EXPECT_EQ(out.pixels[static_cast<size_t>(y) * 4], (y == 0 || y == 8) ? 1 : 0);
  }
}

TEST(GifLzw, MalformedTablesAreCaught) {
  auto decodeCodes = [](const std::vector<std::pair<int, int>>& codes) {
    return Decode(std::string("\x02") + GifSubBlocks(GifPackCodes(codes)), 8, 8);
  };
  // A first code not yet in the table becomes the prefix of the next entry, which is then its own.
  EXPECT_THROW(decodeCodes({{6, 3}, {1, 3}, {6, 3}}), GIFException);
  try {
    decodeCodes({{6, 3}, {1, 3}, {6, 3}});
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Circular decoder table entry");
  }
  // Two entries that are each other's prefix: the walk is bounded and reported the same way.
  EXPECT_THROW(decodeCodes({{7, 3}, {6, 3}, {1, 3}, {6, 4}}), GIFException);
  // Codes beyond the table and clear codes in a row decode without complaint.
  Decoded odd = decodeCodes({{4, 3}, {4, 3}, {2, 3}, {7, 3}, {3, 3}, {5, 4}});
  EXPECT_EQ(odd.pixels[0], 2);
  EXPECT_EQ(odd.pixels[1], 2);
  EXPECT_EQ(odd.pixels[2], 2);
}

TEST(GifLzw, OddCodeSizesStayInBounds) {
  for (int minCodeSize : {0, 1, 11}) {
    SCOPED_TRACE(minCodeSize);
    std::string junk(600, '\0');
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 37 + 11);
    Decoded out = Decode(std::string(1, static_cast<char>(minCodeSize)) + GifSubBlocks(junk), 33, 33);
    EXPECT_EQ(out.pixels.size(), 33u * 33u);
  }
  EXPECT_THROW(Decode("\x0C\x01\x00\x00"s, 2, 2), GIFException);
  // No minimum code size byte at all: the frame keeps its fill.
  EXPECT_EQ(Decode("", 2, 1, false, 4).pixels, (std::vector<uint8_t>{4, 4}));
}

TEST(GifLzw, TransparentFramesFillWithTheTransparentIndex) {
  std::string data = GifBuilder()
                         .Screen(4, 2, GifTestPalette(4))
                         .GraphicControl(0, 0, 3)
                         .Descriptor(GifFrame(4, 2, {}, 2))
                         .Raw(Encoded({1, 2}, {.minCodeSize = 2}))
                         .Trailer()
                         .Bytes();
  GifLoad gif(data);
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.Frame(0).Data(), (std::vector<uint8_t>{1, 2, 3, 3, 3, 3, 3, 3}));
}

}  // namespace
