// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "rom/rom_commands.h"

#include <gtest/gtest.h>

#include "support/rom_builder.h"
#include "support/temp_dir.h"

namespace {

TEST(ChecksumText, OkAndBadTexts) {
  struct Case {
    std::uint16_t header;
    std::uint16_t calc;
    const char* text;
  };
  const Case cases[] = {
      {4660, 4660, "CheckSUM: OK 4660"},
      {0, 0, "CheckSUM: OK 0"},
      {4660, 4656, "CheckSUM: BAD (ROM=4660/ CALC=4656 -4)"},
      {4656, 4660, "CheckSUM: BAD (ROM=4656/ CALC=4660 4)"},
      {0, 65535, "CheckSUM: BAD (ROM=0/ CALC=65535 65535)"},
      {65535, 0, "CheckSUM: BAD (ROM=65535/ CALC=0 -65535)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ChecksumText(c.header, c.calc), c.text);
}

TEST(VerifyChecksum, FailsWithAReasonWhenNothingCanBeSummed) {
  TempDir dir;
  WriteTestFile(dir / "short.smc", std::string(131071, '\x01'));
  WriteTestFile(dir / "empty.smc", "");
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {dir / "short.smc", "image shorter than 1 Mbit: 131071 bytes"},
      {dir / "empty.smc", "image shorter than 1 Mbit: 0 bytes"},
      {dir / "missing.smc", "file not found"},
      {"", "no ROM file"},
  };
  for (const Case& c : cases) {
    ChecksumVerdict verdict = VerifyChecksum(c.path);
    EXPECT_EQ(verdict.result, ChecksumResult::Failed) << c.path;
    EXPECT_EQ(verdict.text, "Failed !");
    EXPECT_EQ(verdict.reason, c.reason);
    RomMessage box = ChecksumMessage(c.path);
    EXPECT_EQ(box.text, "Failed !");
    EXPECT_EQ(box.caption, "Checksum");
  }
}

TEST(VerifyChecksum, ComparesOnlyTheChecksumWord) {
  // With no valid header the record read at 0x7FC0 is compared all the same: a checksum word that
  // happens to equal the sum is OK even though its complement does not match.
  std::string image(131072, '\0');
  PutWord(image, 0x7FC0 + 28, 0x0000);  // complement 0: the probe fails
  PutWord(image, 0x7FC0 + 30, 0x0102);  // checksum word 258; its own bytes add 3
  image[0x100] = '\xFF';                // and these 255 make the image's sum 258
  TSnesRom rom = TSnesRom::FromImage(image);
  ASSERT_EQ(rom.HeaderOffset(), 0);
  ChecksumVerdict verdict = VerifyChecksum(rom);
  EXPECT_EQ(verdict.result, ChecksumResult::Ok);
  EXPECT_EQ(verdict.text, "CheckSUM: OK 258");
}

}  // namespace
