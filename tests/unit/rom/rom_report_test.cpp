// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "rom/snes_rom.h"
#include "support/rom_builder.h"
#include "support/temp_dir.h"

namespace {

// A 4-Mbit LoROM image whose header says every field with a value the expected texts spell out.
SnesRomSpec ReportSpec() {
  SnesRomSpec desc;
  desc.title = "SUPER KIVO WORLD";  // 16 bytes, blanks after it
  desc.sizeMbit = 4;
  desc.makeup = 0x30;
  desc.type = 0x02;
  desc.sizeCode = 0x0A;
  desc.sramCode = 3;
  desc.country = 2;
  desc.licensee = 0x84;
  desc.version = 3;
  desc.nmiVector = 0x80AB;
  desc.resetVector = 0x0C00;
  return desc;
}

// Fixes the header's checksum pair so the words in the report are known: 4660 (0x1234).
std::string WithChecksum1234(std::string image, std::size_t headerAt) {
  PutWord(image, headerAt + 28, 0xEDCB);
  PutWord(image, headerAt + 30, 0x1234);
  return image;
}

TEST(RomReport, EveryLineOfAFullReport) {
  std::string image = WithChecksum1234(BuildSnesRom(ReportSpec()), 0x7FC0);
  TSnesRom rom = TSnesRom::FromImage(image);
  EXPECT_EQ(rom.InfoText(),
            "Title: SUPER KIVO WORLD    \n"
            "Copier Header: None\n"
            "Information Offset: 32704\n"
            "Makeup: 48 - LoROM / FastROM\n"
            "Type: 2 - ROM and Save RAM\n"
            "Size: 8 MBit\n"
            "SRAM Size: 64 KBits\n"
            "Country: Australia, Europe, Oceania and Asia PAL\n"
            "License: 132 - Koei\n"
            "Version: 1.3\n"
            "Inverse Checksum: EDCB\n"
            "Checksum: 4660 (1234)\n"
            "NMI / VBL Vector 80AB\n"
            "Reset Vector 0C00\n"
            "Real Size: 524288 Bytes = 4 MBit");
}

TEST(RomReport, CopierHeaderAndOffsetFollowTheProbe) {
  struct Case {
    RomLayout layout;
    bool copier;
    const char* lines;
    const char* realSize;
  };
  const Case cases[] = {
      {RomLayout::LoRom, false, "Copier Header: None\nInformation Offset: 32704\n", "Real Size: 524288 Bytes = 4 MBit"},
      {RomLayout::LoRom, true, "Copier Header: Present\nInformation Offset: 33216\n",
       "Real Size: 524800 Bytes = 4 MBit"},
      {RomLayout::HiRom, false, "Copier Header: None\nInformation Offset: 65472\n", "Real Size: 524288 Bytes = 4 MBit"},
      {RomLayout::HiRom, true, "Copier Header: Present\nInformation Offset: 65984\n",
       "Real Size: 524800 Bytes = 4 MBit"},
  };
  for (const Case& c : cases) {
    SnesRomSpec desc = ReportSpec();
    desc.layout = c.layout;
    desc.copierHeader = c.copier;
    std::string text = TSnesRom::FromImage(BuildSnesRom(desc)).InfoText();
    EXPECT_NE(text.find(c.lines), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with(c.realSize)) << text;
  }
}

TEST(RomReport, WithoutHeaderShowsTheBytesAt7FC0AndOffsetZero) {
  std::string image(2 * 131072, '\0');
  const std::size_t at = 0x7FC0;
  image.replace(at, 21, "NOT A VALID HEADER!!X");
  image[at + 21] = 0x21;
  image[at + 22] = 0x06;
  image[at + 23] = 0x09;
  image[at + 25] = 14;
  image[at + 26] = 0;
  PutWord(image, at + 28, 0x1111);
  PutWord(image, at + 30, 0x2222);
  PutWord(image, at + 0x2A, 0xBEEF);
  PutWord(image, at + 0x3C, 0x0001);
  EXPECT_EQ(TSnesRom::FromImage(image).InfoText(),
            "Title: NOT A VALID HEADER!!\n"
            "Copier Header: None\n"
            "Information Offset: 0\n"
            "Makeup: 33 - HiROM / SlowROM\n"
            "Type: 6 - Unknown\n"
            "Size: 4 MBit\n"
            "Country: Unknown\n"
            "License: 0 - Unknown\n"
            "Version: 1.0\n"
            "Inverse Checksum: 1111\n"
            "Checksum: 8738 (2222)\n"
            "NMI / VBL Vector BEEF\n"
            "Reset Vector 0001\n"
            "Real Size: 262144 Bytes = 2 MBit");
}

TEST(RomReport, TitleShowsTwentyBytesAsTheyAreAndStopsAtNul) {
  struct Case {
    std::string title;
    std::string firstLine;
  };
  const Case cases[] = {
      {"ABCDEFGHIJKLMNOPQRSTU", "Title: ABCDEFGHIJKLMNOPQRST\n"},  // 21 characters: the last is not shown
      {"  PADDED  ", "Title:   PADDED            \n"},             // blanks on both sides kept, 20 bytes shown
      {"\xC4\xD6 8-bit name", "Title: \xC4\xD6 8-bit name       \n"},
  };
  for (const Case& c : cases) {
    SnesRomSpec desc = ReportSpec();
    desc.title = c.title;
    std::string text = TSnesRom::FromImage(BuildSnesRom(desc)).InfoText();
    EXPECT_TRUE(text.starts_with(c.firstLine)) << text;
  }

  SnesRomSpec desc = ReportSpec();
  desc.title = std::string("ZELDA\0REST OF IT", 16);
  EXPECT_EQ(TSnesRom::FromImage(BuildSnesRom(desc)).InfoText(), "Title: ZELDA");
}

TEST(RomReport, MissingFileShowsOnlyTheTitleLabel) {
  TempDir dir;
  EXPECT_EQ(TSnesRom(dir / "gone.sfc").InfoText(), "Title: ");
  EXPECT_EQ(TSnesRom("").InfoText(), "Title: ");
}

std::string LineOf(const std::string& text, const std::string& label) {
  std::size_t at = text.find("\n" + label);
  if (at == std::string::npos) return "<none>";
  std::size_t end = text.find('\n', at + 1);
  return text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

TEST(RomReport, SizeLinesIncludingCodesBeyondThirtyTwoBits) {
  struct Case {
    std::uint8_t sizeCode;
    std::uint8_t sramCode;
    std::string size;
    std::string sram;
  };
  const Case cases[] = {
      {0, 0, "Size: 0 MBit", "<none>"},
      {6, 1, "Size: 0 MBit", "SRAM Size: 16 KBits"},
      {7, 3, "Size: 1 MBit", "SRAM Size: 64 KBits"},
      {8, 5, "Size: 2 MBit", "SRAM Size: 256 KBits"},
      {12, 7, "Size: 32 MBit", "SRAM Size: 1024 KBits"},
      {37, 27, "Size: 1073741824 MBit", "SRAM Size: 1073741824 KBits"},
      {38, 28, "Size: 2147483648 MBit", "SRAM Size: 2147483648 KBits"},
      {71, 61, "Size: 18446744073709551616 MBit", "SRAM Size: 18446744073709551616 KBits"},
      {255, 255, "Size: 452312848583266388373324160190187140051835877600158453279131187530910662656 MBit",
       "SRAM Size: 463168356949264781694283940034751631413079938662562256157830336031652518559744 KBits"},
  };
  for (const Case& c : cases) {
    SnesRomSpec desc = ReportSpec();
    desc.sramCode = c.sramCode;
    std::string image = BuildSnesRom(desc);
    image[0x7FC0 + 23] = static_cast<char>(c.sizeCode);  // also code 0, which the builder would replace
    std::string text = TSnesRom::FromImage(image).InfoText();
    EXPECT_EQ(LineOf(text, "Size: "), c.size);
    EXPECT_EQ(LineOf(text, "SRAM Size: "), c.sram);
    if (c.sramCode == 0) {
      EXPECT_NE(text.find(" MBit\nCountry: "), std::string::npos) << text;
    }
  }
}

TEST(RomReport, VersionAndWordsAreFormatted) {
  struct Case {
    std::uint8_t version;
    std::uint16_t nmi;
    std::string versionLine;
    std::string nmiLine;
  };
  const Case cases[] = {
      {0, 0x0000, "Version: 1.0", "NMI / VBL Vector 0000"},
      {9, 0x000F, "Version: 1.9", "NMI / VBL Vector 000F"},
      {255, 0xFFFF, "Version: 1.255", "NMI / VBL Vector FFFF"},
  };
  for (const Case& c : cases) {
    SnesRomSpec desc = ReportSpec();
    desc.version = c.version;
    desc.nmiVector = c.nmi;
    std::string text = TSnesRom::FromImage(BuildSnesRom(desc)).InfoText();
    EXPECT_EQ(LineOf(text, "Version: "), c.versionLine);
    EXPECT_EQ(LineOf(text, "NMI / VBL Vector "), c.nmiLine);
  }
}

TEST(RomNames, MakeupChoosesMapAndSpeedFromSeparateBits) {
  struct Case {
    std::uint8_t makeup;
    const char* name;
  };
  const Case cases[] = {
      {0x20, "LoROM / SlowROM"}, {0x21, "HiROM / SlowROM"}, {0x30, "LoROM / FastROM"}, {0x31, "HiROM / FastROM"},
      {0x00, "LoROM / SlowROM"}, {0x35, "HiROM / FastROM"}, {0xFE, "LoROM / FastROM"}, {0xEF, "HiROM / SlowROM"},
  };
  for (const Case& c : cases) EXPECT_EQ(TSnesRom::MakeupName(c.makeup), c.name) << int(c.makeup);
}

TEST(RomNames, TablesGiveUnknownOutsideTheirEntries) {
  struct Case {
    std::string (*name)(std::uint8_t);
    int code;
    const char* text;
  };
  const Case cases[] = {
      {TSnesRom::RomTypeName, 0, "ROM only"},
      {TSnesRom::RomTypeName, 5, "ROM, Save RAM and DSP1 chip"},
      {TSnesRom::RomTypeName, 6, "Unknown"},
      {TSnesRom::RomTypeName, 0x15, "ROM and Super FX chip v2"},
      {TSnesRom::RomTypeName, 0xE3, "ROM, RAM and GameBoy data"},
      {TSnesRom::RomTypeName, 0xF6, "ROM and DSP2 chip"},
      {TSnesRom::CountryName, 0, "Japan NTSC"},
      {TSnesRom::CountryName, 9, "Germany, Austria and Switzerland PAL"},
      {TSnesRom::CountryName, 13, "Korea PAL"},
      {TSnesRom::CountryName, 14, "Unknown"},
      {TSnesRom::CountryName, 255, "Unknown"},
      {TSnesRom::LicenseeName, 0, "Unknown"},
      {TSnesRom::LicenseeName, 2, "Unknown"},
      {TSnesRom::LicenseeName, 0xFE, "Unknown"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.name(static_cast<std::uint8_t>(c.code)), c.text) << c.code;

  int types = 0;
  int countries = 0;
  for (int code = 0; code < 256; ++code) {
    types += TSnesRom::RomTypeName(static_cast<std::uint8_t>(code)) != "Unknown";
    countries += TSnesRom::CountryName(static_cast<std::uint8_t>(code)) != "Unknown";
  }
  EXPECT_EQ(types, 10);
  EXPECT_EQ(countries, 14);
}

TEST(RomNames, LicenseesKeepEachCodesOwnSpelling) {
  const std::pair<int, const char*> samples[] = {
      {0x01, "Nintendo"},
      {0x03, "Imagineer -Zoom"},
      {0x09, "HOT -B"},
      {0x13, "Electronic Arts"},
      {0x69, "Electronic Arts"},
      {0x17, "KOEI"},
      {0x84, "Koei"},
      {0xC8, "KOEI"},
      {0x29, "Seta Co.,Ltd."},
      {0x8F, "I''Max"},
      {0xCA, "Koname USA"},
      {0xD8, "Capcom Co., Ltd."},
      {0xE4, "T&E Soft"},
      {0x18, "Hudson Soft"},
      {0xFF, "Hudson Soft"},
  };
  for (const auto& [code, name] : samples) EXPECT_EQ(TSnesRom::LicenseeName(code), name) << code;

  int named = 0;
  for (int code = 0; code < 256; ++code) named += TSnesRom::LicenseeName(code) != "Unknown";
  EXPECT_EQ(named, 155);
}

}  // namespace
