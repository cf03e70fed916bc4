// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The fuzzers' seed GIFs are made by the test encoder here; this test keeps the committed files in
// step with it. Run with KIVO_WRITE_GIF_CORPUS=1 to write them afresh.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "gif/gif_lzw.h"
#include "gif/gif_options.h"
#include "platform/files.h"
#include "unit/gif/gif_test_util.h"

namespace {

std::map<std::string, std::string> ReaderSeeds() {
  std::map<std::string, std::string> seeds;
  seeds["still.gif"] = SimpleGif(6, 5, GifTestPixels(6, 5, 4, 1));
  GifFrameSpec interlaced = GifFrame(9, 9, GifTestPixels(9, 9, 16, 2), 4);
  interlaced.interlaced = true;
  interlaced.localMap = GifTestPalette(16, 3);
  seeds["interlaced_local_map.gif"] = GifBuilder("GIF87a").Screen(9, 9).Frame(interlaced).Trailer().Bytes();
  GifBuilder animation;
  animation.Screen(8, 6, GifTestPalette(4)).Loop(0).Comment("seed");
  for (int i = 0; i < 3; ++i) {
    GifFrameSpec frame = GifFrame(4, 3, GifTestPixels(4, 3, 4, 10 + i), 2);
    frame.left = i;
    frame.top = i;
    animation.GraphicControl(i + 1, 7, i == 1 ? std::optional<uint8_t>(2) : std::nullopt).Frame(frame);
  }
  seeds["animation.gif"] = animation.Trailer().Bytes();
  GifFrameSpec full = GifFrame(80, 80, GifTestPixels(80, 80, 256, 4), 8);
  full.lzw.clearWhenFull = false;
  full.lzw.leadingClear = false;
  seeds["full_table.gif"] = GifBuilder().Screen(80, 80, GifTestPalette(256)).Frame(full).Bytes();
  seeds["extensions.gif"] = GifBuilder()
                                .Screen(2, 2, GifTestPalette(2))
                                .Raw(std::string("\x21\x01\x0C\x00\x00\x00\x00\x02\x00\x02\x00\x01\x01\x01\x00", 15) +
                                     std::string("\x02hi\x00", 4))
                                .Raw(std::string("\x21\xFF\x0BXMP DataXMP\x01x\x00", 17))
                                .Frame(GifFrame(2, 2, {0, 1, 1, 0}, 2))
                                .GraphicControl(0, 0, std::nullopt)
                                .Trailer()
                                .Bytes();
  return seeds;
}

std::map<std::string, std::string> LzwSeeds() {
  std::map<std::string, std::string> seeds;
  std::vector<uint8_t> pixels = GifTestPixels(11, 7, 16, 5);
  // Width 11, height 7, not interlaced: the fuzzer takes 1 + byte % 97.
  seeds["plain.lzw"] = std::string("\x0A\x06\x00\x04", 4) + GifSubBlocks(GifLzwPack(pixels, {.minCodeSize = 4}));
  seeds["interlaced.lzw"] = std::string("\x0A\x06\x01\x04", 4) +
                            GifSubBlocks(GifLzwPack(GifInterlaceRows(pixels, 11, 7), {.minCodeSize = 4}), 5);
  return seeds;
}

std::string CorpusDir(const std::string& name) {
  // This file is tests/unit/gif/gif_corpus_test.cpp in the source tree.
  return (std::filesystem::path(__FILE__).parent_path() / "../../../fuzz/corpus" / name).lexically_normal().string();
}

void CheckSeeds(const std::string& corpus, const std::map<std::string, std::string>& seeds) {
  const bool write = std::getenv("KIVO_WRITE_GIF_CORPUS") != nullptr;
  for (const auto& [name, bytes] : seeds) {
    SCOPED_TRACE(name);
    std::string path = CorpusDir(corpus) + "/" + name;
    if (write) {
      ASSERT_TRUE(platform::WriteFileAtomic(path, bytes));
    }
    std::string stored;
    ASSERT_TRUE(platform::ReadWholeFile(path, stored, kGifFileLimit)) << path;
    EXPECT_EQ(stored, bytes);
  }
}

TEST(GifCorpus, ReaderSeedsAreValidAndCommitted) {
  for (const auto& [name, bytes] : ReaderSeeds()) {
    SCOPED_TRACE(name);
    GifLoad gif(bytes);
    EXPECT_EQ(gif.error, "");
    EXPECT_GE(gif.image->FrameCount(), 1);
  }
  CheckSeeds("gif_reader", ReaderSeeds());
}

TEST(GifCorpus, LzwSeedsDecode) {
  std::vector<uint8_t> pixels = GifTestPixels(11, 7, 16, 5);
  for (const auto& [name, bytes] : LzwSeeds()) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> out(pixels.size());
    TGIFStream stream(std::string_view(bytes).substr(3));
    DecodeLZW(stream, TGIFLZWFrame{out.data(), 11, 7, bytes[2] == 1}, [](const std::string& w) { ADD_FAILURE() << w; });
    EXPECT_EQ(out, pixels);
  }
  CheckSeeds("gif_lzw", LzwSeeds());
}

}  // namespace
