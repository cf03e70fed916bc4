// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The report and the checksum verdict of every ROM file in tests/data/rom_reports/ (its README gives
// the statements), through kivo-tool info and verify as the user runs them: the built program in a
// folder of its own, so its kivo.ini and zip cache are the test's. And the name tables of the header's
// codes, whole: the reports show single entries.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "rom/snes_rom.h"
#include "support/case_words.h"
#include "support/rom_builder.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/zip_builder.h"

using namespace kivo::rom;

namespace {

// What kivo-tool must print for a case's file.
struct Expected {
  std::string file;        // under roms/
  std::string info = "-";  // "-": not checked
  std::string infoError, verify;
  bool zip = false;
};

// Makes the case's file in dir/roms/ and gives what the case expects of it.
Expected MakeRomFile(const std::vector<CaseStatement>& statements, const std::string& dir) {
  static const std::map<std::string, std::uint8_t SnesRomLayout::*> kBytes = {
      {"makeup", &SnesRomLayout::makeup},  {"type", &SnesRomLayout::type},       {"sizecode", &SnesRomLayout::sizeCode},
      {"sram", &SnesRomLayout::sramCode},  {"country", &SnesRomLayout::country}, {"licensee", &SnesRomLayout::licensee},
      {"version", &SnesRomLayout::version}};
  Expected e;
  SnesRomLayout rom;
  std::string image, member;
  for (const CaseStatement& statement : statements) {
    const std::vector<std::string> w = WordsBelow(statement, dir);
    auto number = [&w](size_t i) { return std::stoul(w.at(i), nullptr, 0); };
    if (RunFileStatement(w)) continue;
    if (kBytes.contains(w[0])) {
      rom.*kBytes.at(w[0]) = static_cast<std::uint8_t>(number(1));
    } else if (w[0] == "name") {
      e.file = w.at(1);
    } else if (w[0] == "title") {
      rom.title = w.at(1);
    } else if (w[0] == "layout") {
      rom.layout = w.at(1) == "hirom" ? RomLayout::HiRom : w[1] == "none" ? RomLayout::NoHeader : RomLayout::LoRom;
    } else if (w[0] == "size" || w[0] == "checksum-error" || w[0] == "seed" || w[0] == "nmi" || w[0] == "reset") {
      const int value = std::stoi(w.at(1), nullptr, 0);
      if (w[0] == "size") rom.sizeMbit = value;
      if (w[0] == "checksum-error") rom.checksumError = value;
      if (w[0] == "seed") rom.seed = static_cast<std::uint32_t>(value);
      if (w[0] == "nmi") rom.nmiVector = static_cast<std::uint16_t>(value);
      if (w[0] == "reset") rom.resetVector = static_cast<std::uint16_t>(value);
    } else if (w[0] == "copier") {
      rom.copierHeader = true;
    } else if (w[0] == "build") {
      image += BuildSnesRom(rom);
    } else if (w[0] == "bytes") {
      image.append(number(1), static_cast<char>(number(2)));
    } else if (w[0] == "poke") {
      image.replace(number(1), w.at(2).size(), w[2]);
    } else if (w[0] == "word") {
      PutWord(image, number(1), static_cast<std::uint16_t>(number(2)));
    } else if (w[0] == "cut") {
      image.resize(image.size() - number(1));
    } else if (w[0] == "zip") {
      e.zip = true;
      member = w.at(1);
    } else if (w[0] == "info") {
      e.info = CaseStatement{"", w}.Joined(1);
    } else if (w[0] == "info-error") {
      e.infoError = w.at(1);
    } else if (w[0] == "verify") {
      e.verify = w.at(1);
    } else {
      ADD_FAILURE() << statement.where << ": unknown statement " << w[0];
    }
  }
  const std::string path = dir + "/roms/" + e.file;
  if (e.zip) WriteZip(path, {ZipFile("README.TXT", "read me"), ZipFile(member, image, true)});
  if (!e.zip && !image.empty()) WriteTestFile(path, image);
  return e;
}

class RomReportCase : public testing::TestWithParam<std::string> {};

TEST_P(RomReportCase, GivesItsReportAndVerdict) {
  KIVO_CASE_STATEMENTS(statements);
  TempDir dir, scratch;
  std::filesystem::copy_file(KIVO_TOOL, dir / "kivo-tool");
  MakeTestDir(dir / "roms");
  const Expected e = MakeRomFile(statements, dir.Path());
  const std::string file = "roms/" + e.file;
  if (e.info != "-") {
    const ToolRun run = RunTool(scratch, dir / "kivo-tool", "info '" + file + "'", dir.Path());
    EXPECT_EQ(run.out, e.info);
    EXPECT_EQ(run.status, e.infoError.empty() ? 0 : 1);
    EXPECT_TRUE(e.infoError.empty() ? run.err.empty() : run.err.find(e.infoError) != std::string::npos) << run.err;
  }
  if (e.verify.empty()) return;
  const ToolRun run = RunTool(scratch, dir / "kivo-tool", "verify '" + file + "'", dir.Path());
  EXPECT_EQ(run.out, file + ": " + e.verify + "\n");
  EXPECT_EQ(run.status, e.verify.starts_with("CheckSUM: OK") ? 0 : 1) << run.err;
}
INSTANTIATE_TEST_SUITE_P(rom_reports, RomReportCase, testing::ValuesIn(CaseFiles("rom_reports")), CaseName);

// Several files in one run, with a cache of one archive: each gets its line, the status says
// whether any failed, and only the last archive verified keeps its files.
TEST(RomReports, AVerifyOfSeveralFilesReportsEachAndKeepsOnlyTheLastArchive) {
  TempDir dir, scratch;
  std::filesystem::copy_file(KIVO_TOOL, dir / "kivo-tool");
  MakeTestDir(dir / "roms");
  WriteTestFile(dir / "kivo.ini", "[General]\nCacheSize=1\n");
  SnesRomLayout good, bad;
  bad.checksumError = 1;
  WriteZip(dir / "roms/first.zip", {ZipFile("README.TXT", "read me"), ZipFile("FIRST.SMC", BuildSnesRom(good), true)});
  WriteZip(dir / "roms/second.zip", {ZipFile("SECOND.SMC", BuildSnesRom(good), true)});
  WriteTestFile(dir / "roms/BAD.SMC", BuildSnesRom(bad));
  const ToolRun run =
      RunTool(scratch, dir / "kivo-tool", "verify roms/first.zip roms/BAD.SMC roms/second.zip", dir.Path());
  EXPECT_EQ(run.status, 1) << run.err;
  std::istringstream lines(run.out);
  std::vector<std::string> verdicts;
  for (std::string line; std::getline(lines, line);)
    verdicts.push_back(line.substr(0, line.find(' ', line.find("CheckSUM: ") + 10)));
  EXPECT_EQ(verdicts, (std::vector<std::string>{"roms/first.zip: CheckSUM: OK", "roms/BAD.SMC: CheckSUM: BAD",
                                                "roms/second.zip: CheckSUM: OK"}));
  const std::string table = ReadTestFile(dir / "zipcache/cache.tbl");
  EXPECT_TRUE(table.starts_with(dir / "roms/second.zip" + "\r\n") && table.find("first.zip") == std::string::npos)
      << table;
}

// Every code looked up, so that an entry lost or added shows. Some publishers have several codes,
// each with its own spelling.
TEST(RomReports, EveryNameTableNamesItsCodesAndOnlyThose) {
  std::vector<int> named(3);  // types, countries, licensees
  for (int code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    named[0] += TSnesRom::RomTypeName(byte) != "Unknown";
    named[1] += TSnesRom::CountryName(byte) != "Unknown";
    named[2] += TSnesRom::LicenseeName(byte) != "Unknown";
  }
  EXPECT_EQ(named, (std::vector<int>{10, 14, 155}));
  EXPECT_EQ(TSnesRom::LicenseeName(0x17) + "/" + TSnesRom::LicenseeName(0xC8) + "/" + TSnesRom::LicenseeName(0xFF),
            "KOEI/KOEI/Hudson Soft");
}

}  // namespace
