// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/zip_extract.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/files.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/info_unzip.h"

namespace {

namespace fs = std::filesystem;

// Every path below `dir`, relative to it, links listed but not followed.
std::set<std::string> Tree(const std::string& dir) {
  std::set<std::string> paths;
  for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
    paths.insert(it->path().lexically_relative(dir).string());
  }
  return paths;
}

class ZipExtractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeTestDir(target);
    MakeTestDir(outside);
  }
  TempDir root;
  std::string target = root / "target";
  std::string outside = root / "outside";
};

TEST(SplitMemberNameTest, RefusesEscapesAndDropsEmptyParts) {
  using Parts = std::vector<std::string>;
  const struct {
    const char* name;
    std::optional<Parts> expected;
  } cases[] = {
      {"GAME.SFC", Parts{"GAME.SFC"}},
      {"./sub//GAME.SFC", Parts{"sub", "GAME.SFC"}},
      {"sub/", Parts{"sub"}},
      {"a..b/..c", Parts{"a..b", "..c"}},
      {"../evil", std::nullopt},
      {"sub/../../evil", std::nullopt},
      {"sub/..", std::nullopt},
      {"/etc/passwd", std::nullopt},
      {"", std::nullopt},
      {"./", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitMemberName(c.name), c.expected) << c.name;
}

TEST_F(ZipExtractTest, WritesFilesAndFoldersInArchiveOrder) {
  std::string bytes =
      BuildZip({ZipFile("README.TXT", "read me"), ZipFolder("saves/"),
                ZipFile("data/deep/GAME.SFC", std::string(70000, 'x') + "end", true), ZipFile("./EMPTY.DAT", "")});
  ExtractOutcome outcome = ExtractZipBytes(bytes, target);

  EXPECT_TRUE(outcome.complete);
  EXPECT_EQ(outcome.files,
            (std::vector<std::string>{target + "/README.TXT", target + "/data/deep/GAME.SFC", target + "/EMPTY.DAT"}));
  EXPECT_EQ(ReadTestFile(target + "/data/deep/GAME.SFC"), std::string(70000, 'x') + "end");
  EXPECT_EQ(ReadTestFile(target + "/EMPTY.DAT"), "");
  EXPECT_TRUE(platform::DirectoryExists(target + "/saves"));
}

TEST_F(ZipExtractTest, ReplacesExistingFilesAndLinksWithoutWritingThroughThem) {
  WriteTestFile(target + "/GAME.SFC", "old content that is longer");
  WriteTestFile(outside + "/victim", "untouched");
  ASSERT_EQ(::symlink((outside + "/victim").c_str(), (target + "/LINKED.SFC").c_str()), 0);
  ASSERT_EQ(::link((outside + "/victim").c_str(), (target + "/HARD.SFC").c_str()), 0);

  ExtractOutcome outcome = ExtractZipBytes(
      BuildZip({ZipFile("GAME.SFC", "new"), ZipFile("LINKED.SFC", "mine"), ZipFile("HARD.SFC", "mine too")}), target);

  EXPECT_TRUE(outcome.complete);
  EXPECT_EQ(ReadTestFile(target + "/GAME.SFC"), "new");
  EXPECT_EQ(ReadTestFile(target + "/LINKED.SFC"), "mine");
  EXPECT_FALSE(fs::is_symlink(target + "/LINKED.SFC"));
  EXPECT_EQ(ReadTestFile(target + "/HARD.SFC"), "mine too");
  EXPECT_EQ(ReadTestFile(outside + "/victim"), "untouched");
}

TEST_F(ZipExtractTest, MembersThatWouldLandOutsideAreRefusedAndTheRestExtracted) {
  // A link already in the target folder leads out; the archive's own links point out too.
  ASSERT_EQ(::symlink(outside.c_str(), (target + "/exit").c_str()), 0);
  std::vector<ZipMember> members = {
      ZipFile("../evil", "x"),
      ZipFile("sub/../../evil2", "x"),
      ZipFile(outside + "/absolute", "x"),
      ZipLink("up", ".."),
      ZipFile("up/through-link", "x"),
      ZipLink("abs-link", outside),
      ZipFile("abs-link/through-link", "x"),
      ZipFile("exit/through-old-link", "x"),
      ZipLink("inside-link", "GAME.SFC"),
      ZipFile("GAME.SFC", "game"),
  };
  ExtractOutcome outcome = ExtractZipBytes(BuildZip(members), target);

  EXPECT_FALSE(outcome.complete);
  EXPECT_EQ(outcome.files, (std::vector<std::string>{target + "/up/through-link", target + "/abs-link/through-link",
                                                     target + "/GAME.SFC"}));
  EXPECT_EQ(Tree(outside), std::set<std::string>{});
  EXPECT_EQ(Tree(root.Path()),
            (std::set<std::string>{"target", "outside", "target/exit", "target/up", "target/up/through-link",
                                   "target/abs-link", "target/abs-link/through-link", "target/GAME.SFC"}));
  // Every link in the target is the one that was there before; the archive made none.
  EXPECT_FALSE(fs::is_symlink(target + "/up"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(target + "/inside-link")));
}

TEST_F(ZipExtractTest, NamesKeepTheirBytes) {
  ZipMember flagged = ZipFile("Z\xC3\xA9lda.sfc", "utf-8 name");
  flagged.utf8Name = true;
  ExtractOutcome outcome = ExtractZipBytes(BuildZip({ZipFile("\xE9t\xE9 \x81.smc", "latin-1 name"), flagged}), target);

  // A name without the UTF-8 flag is written as its bytes; a flagged one as its UTF-8, whatever
  // the process's locale (the tests run under "C").
  ASSERT_EQ(outcome.files, (std::vector<std::string>{target + "/\xE9t\xE9 \x81.smc", target + "/Z\xC3\xA9lda.sfc"}));
  EXPECT_EQ(ReadTestFile(outcome.files[0]), "latin-1 name");
  EXPECT_EQ(ReadTestFile(outcome.files[1]), "utf-8 name");
  for (const std::string& file : outcome.files) EXPECT_TRUE(platform::DeleteFile(file)) << file;
}

TEST_F(ZipExtractTest, DamagedArchiveGivesWhatWasExtracted) {
  std::string whole = BuildZip(
      {ZipFile("A.SFC", std::string(3000, 'a')), ZipFile("B.SFC", std::string(3000, 'b')), ZipFile("C.SFC", "c")});
  // Cut inside B's data: no central directory, and B incomplete.
  ExtractOutcome truncated = ExtractZipBytes(whole.substr(0, 4500), target);
  EXPECT_FALSE(truncated.complete);
  EXPECT_EQ(truncated.files, std::vector<std::string>{target + "/A.SFC"});
  EXPECT_EQ(Tree(target), std::set<std::string>{"A.SFC"});  // no half-written B under any name

  ExtractOutcome garbage = ExtractZipBytes("PK\x03\x04 this is no archive", target);
  EXPECT_FALSE(garbage.complete);
  EXPECT_TRUE(garbage.files.empty());
}

TEST_F(ZipExtractTest, MemberFailingItsChecksumIsKeptButReported) {
  std::string bytes = BuildZip({ZipFile("GAME.SFC", "rom bytes"), ZipFile("NEXT.SFC", "next")});
  bytes[14] ^= 0x55;  // the CRC in the local header
  size_t central = bytes.find("PK\x01\x02");
  bytes[central + 16] ^= 0x55;  // and in the central directory
  ExtractOutcome outcome = ExtractZipBytes(bytes, target);

  EXPECT_FALSE(outcome.complete);
  EXPECT_EQ(outcome.files, (std::vector<std::string>{target + "/GAME.SFC", target + "/NEXT.SFC"}));
  EXPECT_EQ(ReadTestFile(target + "/GAME.SFC"), "rom bytes");
}

TEST_F(ZipExtractTest, MemberCountAndBytesAreBounded) {
  std::vector<ZipMember> many;
  for (int i = 0; i < 5; ++i) many.push_back(ZipFile("F" + std::to_string(i), std::string(400, 'f')));
  ExtractOutcome counted = ExtractZipBytes(BuildZip(many), target, ExtractLimits{3, 1 << 20});
  EXPECT_FALSE(counted.complete);
  EXPECT_EQ(Tree(target), (std::set<std::string>{"F0", "F1", "F2"}));

  fs::remove_all(target);
  MakeTestDir(target);
  ExtractOutcome sized = ExtractZipBytes(BuildZip(many), target, ExtractLimits{100, 1000});
  EXPECT_FALSE(sized.complete);
  EXPECT_EQ(Tree(target), (std::set<std::string>{"F0", "F1"}));
}

TEST_F(ZipExtractTest, BytesAreCountedAsWrittenNotAsDeclared) {
  // Read as a stream, a member with a data descriptor declares no size before its data ends.
  ZipMember bomb = ZipFile("BOMB.SFC", std::string(50000, 'z'), true);
  bomb.dataDescriptor = true;
  ZipMember small = ZipFile("SMALL.SFC", std::string(600, 's'), true);
  small.dataDescriptor = true;
  std::string bytes = BuildZip({small, bomb, ZipFile("AFTER.SFC", "a")});
  ExtractOutcome outcome =
      ExtractZipBytes(bytes.substr(0, ZipCentralDirectoryOffset(bytes)), target, ExtractLimits{100, 1000});

  EXPECT_FALSE(outcome.complete);
  EXPECT_EQ(outcome.files, std::vector<std::string>{target + "/SMALL.SFC"});
  EXPECT_EQ(Tree(target), std::set<std::string>{"SMALL.SFC"});
}

TEST_F(ZipExtractTest, InfoUnzipReportsFilesOfAnArchiveFile) {
  std::string archive = root / "pack.zip";
  WriteZip(archive, {ZipFile("A.SMC", "a"), ZipFile("../B.SMC", "b")});
  TInfoUnzip unzip(archive);
  EXPECT_FALSE(unzip.ExtractAll(target));  // one member refused
  EXPECT_EQ(unzip.ExtractedFiles(), std::vector<std::string>{target + "/A.SMC"});

  TInfoUnzip missing(root / "missing.zip");
  EXPECT_FALSE(missing.ExtractAll(target));
  EXPECT_TRUE(missing.ExtractedFiles().empty());
}

}  // namespace
