// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The report and the checksum verdict of every ROM file in tests/data/rom_reports/ (its README gives
// the statements), through kivo-tool info and verify as the user runs them: the built program in a
// folder of its own, so its kivo.ini and zip cache are the test's.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "support/case_words.h"
#include "support/rom_builder.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/zip_builder.h"

namespace {

struct RomCase {
  std::string file;  // under roms/
  std::string image;
  std::string kind = "plain";  // or zip, missing, fifo, sparse
  std::string member;          // the image's name inside the archive
  std::string info = "-";      // "-": not checked
  std::string infoError;
  std::string verify;
};

RomCase ReadRomCase(const std::vector<CaseStatement>& statements, const std::string& dir) {
  static const std::map<std::string, std::uint8_t SnesRomSpec::*> kBytes = {
      {"makeup", &SnesRomSpec::makeup},  {"type", &SnesRomSpec::type},       {"sizecode", &SnesRomSpec::sizeCode},
      {"sram", &SnesRomSpec::sramCode},  {"country", &SnesRomSpec::country}, {"licensee", &SnesRomSpec::licensee},
      {"version", &SnesRomSpec::version}};
  RomCase c;
  SnesRomSpec rom;
  for (const CaseStatement& statement : statements) {
    const std::vector<std::string> w = WordsBelow(statement, dir);
    auto number = [&w](size_t i) { return std::stoul(w.at(i), nullptr, 0); };
    if (kBytes.contains(w[0])) {
      rom.*kBytes.at(w[0]) = static_cast<std::uint8_t>(number(1));
    } else if (w[0] == "name") {
      c.file = w.at(1);
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
      c.image += BuildSnesRom(rom);
    } else if (w[0] == "bytes") {
      c.image.append(number(1), static_cast<char>(number(2)));
    } else if (w[0] == "poke") {
      c.image.replace(number(1), w.at(2).size(), w[2]);
    } else if (w[0] == "word") {
      PutWord(c.image, number(1), static_cast<std::uint16_t>(number(2)));
    } else if (w[0] == "cut") {
      c.image.resize(c.image.size() - number(1));
    } else if (w[0] == "zip" || w[0] == "missing" || w[0] == "fifo" || w[0] == "sparse") {
      c.kind = w[0];
      c.member = w.size() > 1 ? w[1] : "";
    } else if (w[0] == "info") {
      c.info.clear();
      for (size_t i = 1; i < w.size(); ++i) c.info += w[i];
    } else if (w[0] == "info-error") {
      c.infoError = w.at(1);
    } else if (w[0] == "verify") {
      c.verify = w.at(1);
    } else {
      ADD_FAILURE() << statement.where << ": unknown statement " << w[0];
    }
  }
  return c;
}

void WriteRomCase(const RomCase& c, const std::string& path) {
  if (c.kind == "plain") WriteTestFile(path, c.image);
  if (c.kind == "zip") WriteZip(path, {ZipFile("README.TXT", "read me"), ZipFile(c.member, c.image, true)});
  if (c.kind == "fifo") {
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  }
  if (c.kind == "sparse") {
    WriteTestFile(path, "");
    std::filesystem::resize_file(path, std::stoul(c.member));  // costs no disk
  }
}

TEST(RomReports, EveryImageGivesItsReportAndVerdict) {
  TempDir dir;
  TempDir scratch;
  std::filesystem::copy_file(KIVO_TOOL, dir / "kivo-tool");
  MakeTestDir(dir / "roms");
  // A cache of one archive: only the last archive verified keeps its files.
  WriteTestFile(dir / "kivo.ini", "[General]\nCacheSize=1\n");
  std::string okFiles, otherFiles, expectedOk, expectedOther, lastZip[2];
  for (const std::vector<CaseStatement>& statements : ReadCaseStatements("rom_reports")) {
    SCOPED_TRACE(statements.empty() ? "" : statements.front().where);
    const RomCase c = ReadRomCase(statements, dir.Path());
    const std::string file = "roms/" + c.file;
    WriteRomCase(c, dir / file);
    if (c.info != "-") {
      const ToolRun run = RunTool(scratch, dir / "kivo-tool", "info '" + file + "'", dir.Path());
      EXPECT_EQ(run.out, c.info);
      EXPECT_EQ(run.status, c.infoError.empty() ? 0 : 1);
      EXPECT_TRUE(c.infoError.empty() ? run.err.empty() : run.err.find(c.infoError) != std::string::npos) << run.err;
    }
    if (c.verify.empty()) continue;
    const bool ok = c.verify.starts_with("CheckSUM: OK");
    (ok ? okFiles : otherFiles) += " '" + file + "'";
    (ok ? expectedOk : expectedOther) += file + ": " + c.verify + "\n";
    if (c.kind == "zip") lastZip[ok] = dir / file;
  }
  // One run for the images that pass and one for the rest: the exit status tells the two apart.
  const ToolRun ok = RunTool(scratch, dir / "kivo-tool", "verify" + okFiles, dir.Path());
  EXPECT_EQ(ok.out, expectedOk);
  EXPECT_EQ(ok.status, 0) << ok.err;
  const ToolRun other = RunTool(scratch, dir / "kivo-tool", "verify" + otherFiles, dir.Path());
  EXPECT_EQ(other.out, expectedOther);
  EXPECT_EQ(other.status, 1);
  const std::string table = ReadTestFile(dir / "zipcache/cache.tbl");
  EXPECT_EQ(table.find(".zip\r\n"), table.rfind(".zip\r\n")) << table;
  EXPECT_TRUE(table.starts_with((lastZip[0].empty() ? lastZip[1] : lastZip[0]) + "\r\n")) << table;
}

}  // namespace
