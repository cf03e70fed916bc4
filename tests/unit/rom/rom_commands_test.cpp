#include "rom/rom_commands.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "platform/files.h"
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

TEST(VerifyChecksum, GoodAndDamagedImages) {
  TempDir dir;
  SnesRomSpec desc;
  desc.sizeMbit = 12;
  std::string good = BuildSnesRom(desc);
  desc.checksumError = -4;
  std::string bad = BuildSnesRom(desc);
  WriteTestFile(dir / "good.smc", good);
  WriteTestFile(dir / "bad.smc", bad);

  // The damaged image's header claims a sum 4 lower than the image's real one.
  const std::uint16_t real = SnesChecksumOf(good);
  ChecksumVerdict ok = VerifyChecksum(dir / "good.smc");
  EXPECT_EQ(ok.result, ChecksumResult::Ok);
  EXPECT_EQ(ok.text, "CheckSUM: OK " + std::to_string(real));
  EXPECT_EQ(ok.reason, "");

  ChecksumVerdict damaged = VerifyChecksum(dir / "bad.smc");
  EXPECT_EQ(damaged.result, ChecksumResult::Bad);
  const std::uint16_t claimed = static_cast<std::uint16_t>(real - 4);
  EXPECT_EQ(damaged.text, "CheckSUM: BAD (ROM=" + std::to_string(claimed) + "/ CALC=" + std::to_string(real) + " " +
                              std::to_string(int(real) - int(claimed)) + ")");

  RomMessage box = ChecksumMessage(dir / "good.smc");
  EXPECT_EQ(box.text, ok.text);
  EXPECT_EQ(box.caption, "Checksum");
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

TEST(RomInfoMessage, ShowsTheReportUnderRomInfo) {
  TempDir dir;
  SnesRomSpec desc;
  desc.title = "INFO TEST";
  desc.sizeMbit = 1;
  WriteTestFile(dir / "info.sfc", BuildSnesRom(desc));
  RomMessage box = RomInfoMessage(dir / "info.sfc");
  EXPECT_EQ(box.caption, "ROM Info");
  EXPECT_TRUE(box.text.starts_with("Title: INFO TEST           \nCopier Header: None\nInformation Offset: 32704\n"))
      << box.text;
  EXPECT_TRUE(box.text.ends_with("\nReal Size: 131072 Bytes = 1 MBit")) << box.text;

  EXPECT_EQ(RomInfoMessage(dir / "nothing.sfc").text, "Title: ");
}

TEST(RomCommands, UnreadableFileEndsTheCommandWithAnError) {
  if (!platform::FileExists("/proc/self/mem")) GTEST_SKIP();
  EXPECT_THROW(ChecksumMessage("/proc/self/mem"), KivoError);
  EXPECT_THROW(RomInfoMessage("/proc/self/mem"), KivoError);
}

}  // namespace
