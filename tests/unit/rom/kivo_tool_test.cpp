// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool info and verify, run as the user runs them: the built program, copied into a folder of
// its own so its kivo.ini and zip cache are the test's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/rom_builder.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/zip_builder.h"

namespace {

class KivoToolTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(KIVO_TOOL, dir_ / "kivo-tool");
    MakeTestDir(dir_ / "roms");
  }

  // Runs "kivo-tool <args>" with `folder` as current folder. Arguments are plain names here, so
  // joining them with blanks is a faithful command line.
  ToolRun Run(const std::string& args, const std::string& folder = {}) {
    return RunTool(dir_, dir_ / "kivo-tool", args, folder.empty() ? dir_.Path() : folder);
  }

  std::string Rom(const std::string& name) const { return dir_ / ("roms/" + name); }

  TempDir dir_;
};

TEST_F(KivoToolTest, VerifyPrintsOneLinePerFileAndFailsWhenAnyIsNotOk) {
  SnesRomSpec desc;
  desc.sizeMbit = 12;
  const std::string good = BuildSnesRom(desc);
  const std::uint16_t goodSum = SnesChecksumOf(good);
  WriteTestFile(Rom("good.smc"), good);
  desc.copierHeader = true;
  desc.seed = 7;
  const std::string copier = BuildSnesRom(desc);
  WriteTestFile(Rom("copier.fig"), copier);
  desc = SnesRomSpec{};
  desc.checksumError = 100;
  const std::string bad = BuildSnesRom(desc);
  const std::uint16_t badSum = SnesChecksumOf(bad);
  WriteTestFile(Rom("bad.sfc"), bad);
  WriteTestFile(Rom("short.smc"), std::string(5000, 'x'));
  desc = SnesRomSpec{};
  desc.sizeMbit = 2;
  desc.layout = RomLayout::HiRom;
  const std::string zipped = BuildSnesRom(desc);
  WriteZip(Rom("game.zip"), {ZipFile("README.TXT", "read me"), ZipFile("GAME.SFC", zipped, true)});
  WriteZip(Rom("notes.zip"), {ZipFile("notes.txt", "no game here")});

  const std::string expected =
      "roms/good.smc: CheckSUM: OK " + std::to_string(goodSum) + "\n" + "roms/copier.fig: CheckSUM: OK " +
      std::to_string(SnesChecksumOf(copier.substr(512))) + "\n" +
      "roms/bad.sfc: CheckSUM: BAD (ROM=" + std::to_string(std::uint16_t(badSum + 100)) +
      "/ CALC=" + std::to_string(badSum) + " -100)\n" +
      "roms/short.smc: Failed ! (image shorter than 1 Mbit: 5000 bytes)\n" +
      "roms/missing.smc: Failed ! (file not found)\n" + "roms/game.zip: CheckSUM: OK " +
      std::to_string(SnesChecksumOf(zipped)) + "\n" + "roms/notes.zip: Failed ! (no ROM file in the archive)\n";
  const std::string files =
      "roms/good.smc roms/copier.fig roms/bad.sfc roms/short.smc roms/missing.smc roms/game.zip roms/notes.zip";
  ToolRun run = Run("verify " + files);
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.status, 1);

  // The archive went through the zip cache beside the program, which kept it for the next run.
  const std::string table = ReadTestFile(dir_ / "zipcache/cache.tbl");
  EXPECT_TRUE(table.starts_with(Rom("game.zip") + "\r\n")) << table;

  ToolRun again = Run("verify " + files);
  EXPECT_EQ(again.out, expected);
}

TEST_F(KivoToolTest, VerifySucceedsWhenEveryFileIsOkAndKeepsTheCacheSizeOfKivoIni) {
  WriteTestFile(dir_ / "kivo.ini", "[General]\r\nCacheSize=1\r\n");
  SnesRomSpec desc;
  WriteTestFile(Rom("one.smc"), BuildSnesRom(desc));
  for (const char* name : {"a", "b", "c"}) {
    desc.seed = static_cast<std::uint32_t>(name[0]);
    WriteZip(Rom(std::string(name) + ".zip"), {ZipFile(std::string(name) + ".swc", BuildSnesRom(desc))});
  }
  // Names are taken from the current folder.
  ToolRun run = Run("verify one.smc a.zip b.zip c.zip", dir_ / "roms");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(run.out.starts_with("one.smc: CheckSUM: OK ")) << run.out;
  EXPECT_NE(run.out.find("\nc.zip: CheckSUM: OK "), std::string::npos) << run.out;
  // Only the last archive's group is left, recorded under its full path as the window does.
  const std::string table = ReadTestFile(dir_ / "zipcache/cache.tbl");
  EXPECT_EQ(table.find("a.zip"), std::string::npos) << table;
  EXPECT_EQ(table.find("b.zip"), std::string::npos) << table;
  EXPECT_TRUE(table.starts_with(Rom("c.zip") + "\r\n")) << table;
}

TEST_F(KivoToolTest, InfoPrintsTheReportAsTheBoxShowsIt) {
  SnesRomSpec desc;
  desc.title = "TOOL INFO";
  desc.sizeMbit = 1;
  std::string image = BuildSnesRom(desc);
  PutWord(image, 0x7FC0 + 28, 0xEDCB);
  PutWord(image, 0x7FC0 + 30, 0x1234);
  WriteZip(Rom("info.zip"), {ZipFile("info.sfc", image, true)});
  desc.title = std::string("CUT\0HERE", 8);
  WriteTestFile(Rom("nul.smc"), BuildSnesRom(desc));

  ToolRun run = Run("info roms/info.zip");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Title: TOOL INFO           \n"
            "Copier Header: None\n"
            "Information Offset: 32704\n"
            "Makeup: 32 - LoROM / SlowROM\n"
            "Type: 2 - ROM and Save RAM\n"
            "Size: 1 MBit\n"
            "Country: USA NTSC\n"
            "License: 1 - Nintendo\n"
            "Version: 1.0\n"
            "Inverse Checksum: EDCB\n"
            "Checksum: 4660 (1234)\n"
            "NMI / VBL Vector 8000\n"
            "Reset Vector 8004\n"
            "Real Size: 131072 Bytes = 1 MBit\n");

  ToolRun cut = Run("info roms/nul.smc");
  EXPECT_EQ(cut.out, "Title: CUT\n");

  ToolRun missing = Run("info roms/none.smc");
  EXPECT_EQ(missing.out, "Title: \n");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("file not found"), std::string::npos) << missing.err;

  WriteZip(Rom("empty.zip"), {ZipFile("readme.txt", "no game")});
  ToolRun noRom = Run("info roms/empty.zip");
  EXPECT_EQ(noRom.out, "Title: \n");
  EXPECT_EQ(noRom.status, 1);
  EXPECT_NE(noRom.err.find("no ROM file in the archive"), std::string::npos) << noRom.err;
}

TEST_F(KivoToolTest, WrongArgumentsGiveUsage) {
  struct Case {
    const char* args;
    int status;
  };
  const Case cases[] = {{"", 2}, {"verify", 2}, {"info", 2}, {"info a b", 2}, {"frobnicate x", 2}, {"help", 0}};
  for (const Case& c : cases) {
    ToolRun run = Run(c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_NE((run.out + run.err).find("usage: kivo-tool"), std::string::npos) << c.args;
  }
}

}  // namespace
