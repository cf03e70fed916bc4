// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The title and region a ROM list shows, read from the first bytes of an image: found where TSnesRom
// finds the header in every layout, from no more bytes than kTitleReadBytes, and decoded into UTF-8.
#include "rom/rom_title.h"

#include <gtest/gtest.h>

#include "rom/snes_rom.h"
#include "support/rom_builder.h"

using namespace kivo::rom;

namespace {

RomTitle TitleOf(const std::string& image) {
  return TitleFromImageStart(std::string_view(image).substr(0, kTitleReadBytes),
                             static_cast<std::int64_t>(image.size()));
}

TEST(RomTitle, ComesFromTheHeaderTSnesRomFindsInEveryLayout) {
  for (RomLayout layout : {RomLayout::LoRom, RomLayout::HiRom}) {
    for (bool copier : {false, true}) {
      SCOPED_TRACE(testing::Message() << (layout == RomLayout::HiRom ? "HiROM" : "LoROM") << " copier " << copier);
      SnesRomLayout desc;
      desc.title = "SUPER KIVO WORLD";
      desc.layout = layout;
      desc.copierHeader = copier;
      desc.country = layout == RomLayout::HiRom ? 0 : 2;
      desc.sizeMbit = 4;
      const std::string image = BuildSnesRom(desc);
      const TSnesRom rom = TSnesRom::FromImage(image);
      ASSERT_EQ(rom.CopierHeaderSize(), copier ? 512 : 0);

      EXPECT_EQ(TitleOf(image), (RomTitle{"SUPER KIVO WORLD", layout == RomLayout::HiRom ? "Japan" : "Europe"}));
      // The start alone gives what the whole image gives.
      EXPECT_EQ(TitleOf(image), TitleFromImageStart(image, static_cast<std::int64_t>(image.size())));
    }
  }
  EXPECT_GE(kTitleReadBytes, std::size_t{512 + 0xFFC0 + TSnesRom::kRecordSize});
}

TEST(RomTitle, IsEmptyWithoutAValidHeader) {
  SnesRomLayout desc;
  desc.layout = RomLayout::NoHeader;
  EXPECT_EQ(TitleOf(BuildSnesRom(desc)), RomTitle{});
  EXPECT_EQ(TitleFromImageStart("", 0), RomTitle{});
  EXPECT_EQ(TitleFromImageStart(std::string(100, 'x'), 100), RomTitle{});

  // A short file whose record holds its checksum pair still counts, one byte fewer does not.
  desc.layout = RomLayout::LoRom;
  desc.sizeMbit = 1;
  std::string image = BuildSnesRom(desc);
  image.resize(0x7FC0 + TSnesRom::kChecksumOffset + 2);
  EXPECT_EQ(TitleOf(image).title, "KIVO TEST CARTRIDGE");
  image.pop_back();
  EXPECT_EQ(TitleOf(image), RomTitle{});

  // A file larger than TSnesRom reads is no image, whatever its first bytes hold.
  const std::string good = BuildSnesRom(desc);
  EXPECT_EQ(TitleFromImageStart(good, static_cast<std::int64_t>(TSnesRom::kRomFileLimit) + 1), RomTitle{});
  EXPECT_EQ(TitleFromImageStart(good, static_cast<std::int64_t>(TSnesRom::kRomFileLimit)).title, "KIVO TEST CARTRIDGE");
}

TEST(RomTitle, DecodesHalfWidthKatakanaAndReplacesWhatCannotBeShown) {
  SnesRomLayout desc;
  desc.sizeMbit = 1;
  desc.country = 0x40;  // no entry in the country table
  // "ｽｰﾊﾟｰ" and the first and last byte of the katakana half.
  desc.title = "\xBD\xB0\xCA\xDF\xB0 \xA1\xDF";
  EXPECT_EQ(
      TitleOf(BuildSnesRom(desc)),
      (RomTitle{"\xEF\xBD\xBD\xEF\xBD\xB0\xEF\xBE\x8A\xEF\xBE\x9F\xEF\xBD\xB0 \xEF\xBD\xA1\xEF\xBE\x9F", "Unknown"}));

  // Control bytes, DEL, and bytes outside the katakana half show as U+FFFD; NUL pads like a blank.
  EXPECT_EQ(DecodeTitleField(std::string("A\x01"
                                         "B\x7F\x80\xA0\xE0\xFF",
                                         8)),
            "A\xEF\xBF\xBD"
            "B\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(DecodeTitleField(std::string(" MID\0DLE  \0\0 ", 14)), " MID DLE");
  EXPECT_EQ(DecodeTitleField(std::string(21, ' ')), "");
}

}  // namespace
