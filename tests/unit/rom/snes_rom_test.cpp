// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "rom/snes_rom.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <numeric>

#include "common/error.h"
#include "platform/files.h"
#include "support/rom_builder.h"
#include "support/temp_dir.h"

namespace {

constexpr std::size_t kMbit = 131072;

std::uint16_t PlainSum(std::string_view bytes) {
  std::uint32_t sum = 0;
  for (unsigned char c : bytes) sum += c;
  return static_cast<std::uint16_t>(sum);
}

// Gives the record at offset a complement/checksum pair that passes the probe.
void MakeValidPair(std::string& image, std::size_t at, std::uint16_t checksum) {
  PutWord(image, at + 28, static_cast<std::uint16_t>(~checksum));
  PutWord(image, at + 30, checksum);
}

TEST(SnesRomLoad, EightMbitLoRomWithoutCopierHeaderSumsEveryByte) {
  SnesRomSpec desc;
  desc.sizeMbit = 8;
  std::string image = BuildSnesRom(desc);
  ASSERT_EQ(image.size(), 1048576u);

  TSnesRom rom = TSnesRom::FromImage(image);
  EXPECT_EQ(rom.HeaderOffset(), 0x7FC0);
  EXPECT_EQ(rom.CopierHeaderSize(), 0);
  ASSERT_TRUE(rom.CalcChecksum());
  EXPECT_EQ(rom.CalcSum(), PlainSum(image));
  EXPECT_EQ(rom.CalcSum(), rom.HeaderChecksum());
  EXPECT_EQ(rom.RestFactor(), 0);
}

TEST(SnesRomLoad, CopierHeaderIsFoundAndSkipped) {
  SnesRomSpec desc;
  desc.copierHeader = true;
  std::string withCopier = BuildSnesRom(desc);
  ASSERT_EQ(withCopier.size(), 1048576u + 512u);
  // Copier bytes that are not zero would change the sum if they were counted.
  withCopier.replace(0, 512, std::string(512, '\x7F'));
  const std::string body = withCopier.substr(512);

  TSnesRom rom = TSnesRom::FromImage(withCopier);
  EXPECT_EQ(rom.HeaderOffset(), 0x81C0);
  EXPECT_EQ(rom.CopierHeaderSize(), 512);
  ASSERT_TRUE(rom.CalcChecksum());
  EXPECT_EQ(rom.CalcSum(), PlainSum(body));
  EXPECT_EQ(rom.CalcSum(), rom.HeaderChecksum());

  TSnesRom bare = TSnesRom::FromImage(body);
  EXPECT_EQ(bare.HeaderOffset(), 0x7FC0);
  ASSERT_TRUE(bare.CalcChecksum());
  EXPECT_EQ(bare.CalcSum(), rom.CalcSum());
}

TEST(SnesRomLoad, HiRomIsFoundAtItsOffset) {
  struct Case {
    RomLayout layout;
    bool copier;
    std::int32_t offset;
    std::int32_t copierSize;
  };
  // LoROM at 0x7FC0 and 0x81C0 is covered above with the sums spelled out.
  const Case cases[] = {
      {RomLayout::HiRom, true, 0x101C0, 512},
      {RomLayout::HiRom, false, 0xFFC0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    SnesRomSpec desc;
    desc.layout = c.layout;
    desc.copierHeader = c.copier;
    desc.sizeMbit = 4;
    TSnesRom rom = TSnesRom::FromImage(BuildSnesRom(desc));
    EXPECT_EQ(rom.HeaderOffset(), c.offset);
    EXPECT_EQ(rom.CopierHeaderSize(), c.copierSize);
    ASSERT_TRUE(rom.CalcChecksum());
    EXPECT_EQ(rom.CalcSum(), rom.HeaderChecksum());
  }
}

TEST(SnesRomLoad, CopierProbeWinsWhenBothLoRomPlacesPass) {
  std::string image = BuildSnesRom(SnesRomSpec{});
  MakeValidPair(image, 0x81C0, 0x4242);
  TSnesRom rom = TSnesRom::FromImage(image);
  EXPECT_EQ(rom.HeaderOffset(), 0x81C0);
  EXPECT_EQ(rom.CopierHeaderSize(), 512);
  EXPECT_EQ(rom.HeaderChecksum(), 0x4242);
}

TEST(SnesRomLoad, WithoutHeaderRecordHoldsLastProbeAndSumStartsAtFirstByte) {
  SnesRomSpec desc;
  desc.layout = RomLayout::NoHeader;
  std::string image = BuildSnesRom(desc);
  TSnesRom rom = TSnesRom::FromImage(image);
  EXPECT_EQ(rom.HeaderOffset(), 0);
  EXPECT_EQ(rom.CopierHeaderSize(), 0);
  EXPECT_EQ(std::string(rom.HeaderRecord().begin(), rom.HeaderRecord().end()), image.substr(0x7FC0, 36));
  ASSERT_TRUE(rom.CalcChecksum());
  EXPECT_EQ(rom.CalcSum(), PlainSum(image));
}

TEST(SnesRomLoad, MissingOrUnnamedFileGivesEmptyImageAndNoChecksum) {
  TempDir dir;
  for (const std::string& name : {dir / "absent.smc", std::string()}) {
    TSnesRom rom(name);
    EXPECT_FALSE(rom.FileFound());
    EXPECT_EQ(rom.ImageSize(), 0);
    EXPECT_EQ(rom.HeaderOffset(), 0);
    EXPECT_EQ(rom.HeaderRecord(), TSnesRom::Record{});
    EXPECT_FALSE(rom.CalcChecksum());
  }
}

TEST(SnesRomLoad, FileIsReadWhole) {
  TempDir dir;
  SnesRomSpec desc;
  desc.sizeMbit = 2;
  desc.copierHeader = true;
  std::string image = BuildSnesRom(desc);
  WriteTestFile(dir / "game.smc", image);
  TSnesRom rom(dir / "game.smc");
  EXPECT_TRUE(rom.FileFound());
  EXPECT_EQ(rom.FileName(), dir / "game.smc");
  EXPECT_EQ(rom.ImageSize(), static_cast<std::int64_t>(image.size()));
  EXPECT_EQ(rom.HeaderOffset(), 0x81C0);
}

TEST(SnesRomLoad, FileThatExistsButCannotBeReadRaisesError) {
  // The memory file of a process is a regular file whose first page is never mapped, so reading it
  // from the start fails although it exists.
  const std::string path = "/proc/self/mem";
  if (!platform::FileExists(path)) GTEST_SKIP() << path << " is not available here";
  try {
    TSnesRom rom(path);
    FAIL() << "no error raised";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot read file /proc/self/mem");
  }
}

// A file far larger than any cartridge, or a FIFO under a ROM's name, is refused without being read
// into memory or waited on.
TEST(SnesRomLoad, HugeFilesAndFifosAreRefused) {
  TempDir dir;
  const std::string huge = dir / "HUGE.SMC";
  WriteTestFile(huge, "");
  std::filesystem::resize_file(huge, TSnesRom::kRomFileLimit + 1);  // sparse: costs no disk
  const std::string fifo = dir / "FIFO.SMC";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  for (const std::string& path : {huge, fifo}) {
    try {
      TSnesRom rom(path);
      ADD_FAILURE() << path << ": no error raised";
    } catch (const KivoError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot read file " + path);
    }
  }
}

TEST(SnesRomProbe, ShortReadNearTheEndKeepsTheRestOfTheRecord) {
  std::string image(0x9000, '\0');
  for (std::size_t i = 0; i < 36; ++i) image[0x100 + i] = static_cast<char>(0xA0 + i);
  for (std::size_t i = 0; i < 10; ++i) image[image.size() - 10 + i] = static_cast<char>(0x10 + i);
  TSnesRom rom = TSnesRom::FromImage(image);

  rom.ProbeHeader(0x100);
  EXPECT_FALSE(rom.ProbeHeader(static_cast<std::int32_t>(image.size() - 10)));
  const TSnesRom::Record& r = rom.HeaderRecord();
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(r[i], 0x10 + i) << i;
  for (std::size_t i = 10; i < 36; ++i) EXPECT_EQ(r[i], 0xA0 + i) << i;

  // Past the end or before the start nothing is read and the record stays as it is.
  TSnesRom::Record before = r;
  EXPECT_FALSE(rom.ProbeHeader(static_cast<std::int32_t>(image.size())));
  EXPECT_FALSE(rom.ProbeHeader(-4));
  EXPECT_EQ(rom.HeaderRecord(), before);
}

TEST(SnesRomProbe, ShortReadPassesOnlyWithBothWordsFromThisRead) {
  std::string image(0x9000, '\0');
  // An earlier record whose checksum word, paired with the complement read later, would add to 0xFFFF.
  PutWord(image, 0x100 + 28, 0x0000);
  PutWord(image, 0x100 + 30, 0x1234);
  const std::size_t lateAt = image.size() - 30;  // reads bytes 0..29: the complement, not the checksum
  PutWord(image, lateAt + 28, 0xEDCB);
  TSnesRom rom = TSnesRom::FromImage(image);
  rom.ProbeHeader(0x100);
  EXPECT_FALSE(rom.ProbeHeader(static_cast<std::int32_t>(lateAt)));

  // Both words read, the vectors cut off: a valid header.
  const std::size_t at = image.size() - 32;
  MakeValidPair(image, at, 0x5555);
  TSnesRom rom2 = TSnesRom::FromImage(image);
  EXPECT_TRUE(rom2.ProbeHeader(static_cast<std::int32_t>(at)));
}

TEST(SnesRomProbe, PassesOnlyWhenComplementAndChecksumAddToFFFF) {
  struct Case {
    std::uint16_t complement;
    std::uint16_t checksum;
    bool passes;
  };
  const Case cases[] = {
      {0xFFFF, 0x0000, true},  {0x0000, 0xFFFF, true},  {0xEDCB, 0x1234, true},
      {0x8000, 0x7FFF, true},  {0xFFFF, 0xFFFF, false},  // 0x1FFFE: must not wrap around to pass
      {0x0000, 0x0000, false}, {0xEDCB, 0x1235, false}, {0x8000, 0x8000, false},
  };
  for (const Case& c : cases) {
    std::string image(0x8000, '\0');
    PutWord(image, 0x7FC0 + 28, c.complement);
    PutWord(image, 0x7FC0 + 30, c.checksum);
    TSnesRom rom = TSnesRom::FromImage(image);
    EXPECT_EQ(rom.ProbeHeader(0x7FC0), c.passes) << std::hex << c.complement << " " << c.checksum;
  }
}

// Images of zero bytes with one marker byte in the main part and one in the rest: the sum shows how
// many times each part was counted.
TEST(SnesRomChecksum, RestIsCountedByTheRestFactor) {
  struct Case {
    int mbit;
    int main;
    int rest;
    int factor;
  };
  const Case cases[] = {
      {1, 1, 0, 0}, {8, 8, 0, 0}, {12, 8, 4, 2}, {10, 8, 2, 4}, {24, 16, 8, 2}, {7, 4, 3, 1}, {48, 32, 16, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mbit);
    std::string image(static_cast<std::size_t>(c.mbit) * kMbit, '\0');
    image[0x20000 - 1] = 3;  // last byte of the first Mbit
    if (c.rest > 0) image[static_cast<std::size_t>(c.main) * kMbit + 5] = 7;
    TSnesRom rom = TSnesRom::FromImage(image);
    ASSERT_TRUE(rom.CalcChecksum());
    EXPECT_EQ(rom.SizeMbit(), c.mbit);
    EXPECT_EQ(rom.MainMbit(), c.main);
    EXPECT_EQ(rom.RestMbit(), c.rest);
    EXPECT_EQ(rom.RestFactor(), c.factor);
    EXPECT_EQ(rom.CalcSum(), 3 + 7 * c.factor);
  }
}

TEST(SnesRomChecksum, BytesAfterTheLastWholeMbitAreIgnored) {
  std::string image(8 * kMbit, '\x01');
  std::string withTail = image + std::string(1000, '\xFF');
  TSnesRom rom = TSnesRom::FromImage(withTail);
  ASSERT_TRUE(rom.CalcChecksum());
  EXPECT_EQ(rom.CalcSum(), PlainSum(image));
}

TEST(SnesRomChecksum, CopierHeaderDoesNotMakeTheSumReadPastTheEnd) {
  // An 8-Mbit image behind a copier header, cut 100 bytes short: the summed range would end 100 bytes
  // after the image. Only the bytes that are there count.
  SnesRomSpec desc;
  desc.copierHeader = true;
  std::string image = BuildSnesRom(desc);
  image.resize(image.size() - 100);
  TSnesRom rom = TSnesRom::FromImage(image);
  ASSERT_EQ(rom.CopierHeaderSize(), 512);
  ASSERT_TRUE(rom.CalcChecksum());
  EXPECT_EQ(rom.SizeMbit(), 8);
  EXPECT_EQ(rom.CalcSum(), PlainSum(std::string_view(image).substr(512)));

  // The same in the rest part of a 9-Mbit image (8 + 1, counted 8 times).
  desc.sizeMbit = 9;
  std::string nine = BuildSnesRom(desc);
  nine.resize(nine.size() - 300);
  TSnesRom rom9 = TSnesRom::FromImage(nine);
  ASSERT_TRUE(rom9.CalcChecksum());
  EXPECT_EQ(rom9.RestFactor(), 8);
  std::string_view body = std::string_view(nine).substr(512);
  std::uint32_t expected = PlainSum(body.substr(0, 8 * kMbit)) + 8u * PlainSum(body.substr(8 * kMbit));
  EXPECT_EQ(rom9.CalcSum(), static_cast<std::uint16_t>(expected));
}

TEST(SnesRomChecksum, ImageShorterThanOneMbitFails) {
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{0x8000}, kMbit - 1}) {
    TSnesRom rom = TSnesRom::FromImage(std::string(size, '\x01'));
    EXPECT_FALSE(rom.CalcChecksum()) << size;
  }
  // A header found in a short image does not make it summable.
  SnesRomSpec desc;
  std::string image = BuildSnesRom(desc).substr(0, 0x10000);
  TSnesRom rom = TSnesRom::FromImage(image);
  EXPECT_EQ(rom.HeaderOffset(), 0x7FC0);
  EXPECT_FALSE(rom.CalcChecksum());

  TSnesRom exact = TSnesRom::FromImage(std::string(kMbit, '\x01'));
  ASSERT_TRUE(exact.CalcChecksum());
  EXPECT_EQ(exact.CalcSum(), static_cast<std::uint16_t>(kMbit));
}

TEST(SnesRomChecksum, SumBytesDoesNotOverflowOnLongRunsOfFF) {
  for (std::size_t size : {std::size_t{65535}, std::size_t{65536}, std::size_t{65537}, std::size_t{6 * 1048576 + 3}}) {
    std::string bytes(size, '\xFF');
    EXPECT_EQ(SumBytes(bytes), 255u * size) << size;
  }
}

}  // namespace
