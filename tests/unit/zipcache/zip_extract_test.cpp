// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Unpacking an archive into a folder, and nowhere else: archives come from anywhere.
#include "zipcache/zip_extract.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/unzip_command.h"

using namespace kivo::zipcache;

namespace {

namespace fs = std::filesystem;
using Files = std::vector<std::string>;
using Tree = std::set<std::string>;

class ZipExtractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeTestDir(target);
    MakeTestDir(outside);
  }
  // Every path below the folder, relative to it; links listed, not followed.
  static Tree TreeOf(const std::string& folder) {
    Tree paths;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
      paths.insert(it->path().lexically_relative(folder).string());
    }
    return paths;
  }
  TempDir root;
  std::string target = root / "target", outside = root / "outside";
};

TEST_F(ZipExtractTest, WritesFilesAndFoldersInArchiveOrderKeepingTheNamesBytes) {
  ZipMember flagged = ZipFile("Z\xC3\xA9lda.sfc", "utf-8 name");
  flagged.utf8Name = true;
  const ExtractOutcome outcome = ExtractZipBytes(
      BuildZip({ZipFile("README.TXT", "read me"), ZipFolder("saves/"),
                ZipFile("data/deep/GAME.SFC", std::string(70000, 'x') + "end", true), ZipFile("./EMPTY.DAT", ""),
                ZipFile(".//a..b/..c", "dots"), ZipFile("\xE9t\xE9 \x81.smc", "latin-1 name"), flagged}),
      target);

  // A name without the UTF-8 flag is written as its bytes; a flagged one as its UTF-8, whatever
  // the process's locale (the tests run under "C").
  EXPECT_TRUE(outcome.complete);
  EXPECT_EQ(outcome.files, (Files{target + "/README.TXT", target + "/data/deep/GAME.SFC", target + "/EMPTY.DAT",
                                  target + "/a..b/..c", target + "/\xE9t\xE9 \x81.smc", target + "/Z\xC3\xA9lda.sfc"}));
  EXPECT_EQ(ReadTestFile(target + "/data/deep/GAME.SFC"), std::string(70000, 'x') + "end");
  EXPECT_EQ(ReadTestFile(target + "/\xE9t\xE9 \x81.smc"), "latin-1 name");
  EXPECT_EQ(ReadTestFile(target + "/Z\xC3\xA9lda.sfc"), "utf-8 name");
  EXPECT_TRUE(fs::is_directory(target + "/saves"));
}

// The writer refuses such names too; the split must not count on it.
TEST(SplitMemberName, RefusesEscapesAndDropsEmptyParts) {
  for (const char* name : {"../evil", "sub/../../evil", "sub/..", "/etc/passwd", "", "./"}) {
    EXPECT_EQ(SplitMemberName(name), std::nullopt) << name;
  }
  EXPECT_EQ(SplitMemberName("./sub//a..b/"), (Files{"sub", "a..b"}));
}

TEST_F(ZipExtractTest, ReplacesExistingFilesAndLinksWithoutWritingThroughThem) {
  WriteTestFile(target + "/GAME.SFC", "old content that is longer");
  WriteTestFile(outside + "/victim", "untouched");
  ASSERT_EQ(::symlink((outside + "/victim").c_str(), (target + "/LINKED.SFC").c_str()), 0);
  ASSERT_EQ(::link((outside + "/victim").c_str(), (target + "/HARD.SFC").c_str()), 0);

  EXPECT_TRUE(ExtractZipBytes(BuildZip({ZipFile("GAME.SFC", "new"), ZipFile("LINKED.SFC", "mine"),
                                        ZipFile("HARD.SFC", "mine too")}),
                              target)
                  .complete);
  EXPECT_EQ(ReadTestFile(target + "/GAME.SFC"), "new");
  EXPECT_EQ(ReadTestFile(target + "/LINKED.SFC"), "mine");
  EXPECT_FALSE(fs::is_symlink(target + "/LINKED.SFC"));
  EXPECT_EQ(ReadTestFile(target + "/HARD.SFC"), "mine too");
  EXPECT_EQ(ReadTestFile(outside + "/victim"), "untouched");
}

TEST_F(ZipExtractTest, MembersThatWouldLandOutsideAreRefusedAndTheRestExtracted) {
  // A link already in the target folder leads out; the archive's own links point out too, and no
  // link of the archive is made, even one pointing inside.
  ASSERT_EQ(::symlink(outside.c_str(), (target + "/exit").c_str()), 0);
  const ExtractOutcome outcome = ExtractZipBytes(
      BuildZip({ZipFile("../evil", "x"), ZipFile("sub/../../evil2", "x"), ZipFile(outside + "/absolute", "x"),
                ZipFile("sub/..", "x"), ZipFile("", "x"), ZipFile("./", "x"), ZipLink("up", ".."),
                ZipFile("up/through-link", "x"), ZipLink("abs-link", outside), ZipFile("abs-link/through-link", "x"),
                ZipFile("exit/through-old-link", "x"), ZipLink("inside-link", "GAME.SFC"),
                ZipFile("GAME.SFC", "game")}),
      target);

  EXPECT_FALSE(outcome.complete);
  EXPECT_EQ(outcome.files,
            (Files{target + "/up/through-link", target + "/abs-link/through-link", target + "/GAME.SFC"}));
  EXPECT_EQ(TreeOf(root.Path()), (Tree{"target", "outside", "target/exit", "target/up", "target/up/through-link",
                                       "target/abs-link", "target/abs-link/through-link", "target/GAME.SFC"}));
  EXPECT_FALSE(fs::is_symlink(target + "/up"));
}

TEST_F(ZipExtractTest, DamageGivesWhatWasExtractedWhole) {
  const std::string whole = BuildZip(
      {ZipFile("A.SFC", std::string(3000, 'a')), ZipFile("B.SFC", std::string(3000, 'b')), ZipFile("C.SFC", "c")});
  // Cut inside B's data: no central directory, and B incomplete.
  const ExtractOutcome truncated = ExtractZipBytes(whole.substr(0, 4500), target);
  EXPECT_FALSE(truncated.complete);
  EXPECT_EQ(truncated.files, Files{target + "/A.SFC"});
  EXPECT_EQ(TreeOf(target), Tree{"A.SFC"});  // no half-written B under any name
  EXPECT_TRUE(ExtractZipBytes("PK\x03\x04 this is no archive", target).files.empty());

  // A member failing its checksum is complete: it is kept, but reported.
  std::string bytes = BuildZip({ZipFile("GAME.SFC", "rom bytes"), ZipFile("NEXT.SFC", "next")});
  bytes[14] ^= 0x55;                             // the CRC in the local header
  bytes[bytes.find("PK\x01\x02") + 16] ^= 0x55;  // and in the central directory
  const ExtractOutcome damaged = ExtractZipBytes(bytes, target);
  EXPECT_FALSE(damaged.complete);
  EXPECT_EQ(damaged.files, (Files{target + "/GAME.SFC", target + "/NEXT.SFC"}));
  EXPECT_EQ(ReadTestFile(target + "/GAME.SFC"), "rom bytes");
}

TEST_F(ZipExtractTest, MembersAndBytesAreBoundedAsWrittenNotAsDeclared) {
  std::vector<ZipMember> many;
  for (int i = 0; i < 5; ++i) many.push_back(ZipFile("F" + std::to_string(i), std::string(400, 'f')));
  many.push_back(ZipFile("SMALL", "s"));  // nothing after a member that breaks the bound comes out
  EXPECT_FALSE(ExtractZipBytes(BuildZip(many), target, ExtractLimits{3, 1 << 20}).complete);
  EXPECT_EQ(TreeOf(target), (Tree{"F0", "F1", "F2"}));
  fs::remove_all(target);
  for (const char* folder : {"/sized", "/streamed"}) MakeTestDir(target + folder);
  EXPECT_FALSE(ExtractZipBytes(BuildZip(many), target + "/sized", ExtractLimits{100, 1000}).complete);
  EXPECT_EQ(TreeOf(target + "/sized"), (Tree{"F0", "F1"}));

  // Read as a stream, a member with a data descriptor declares no size before its data ends.
  ZipMember small = ZipFile("SMALL.SFC", std::string(600, 's'), true),
            bomb = ZipFile("BOMB.SFC", std::string(50000, 'z'), true);
  small.dataDescriptor = bomb.dataDescriptor = true;
  const std::string bytes = BuildZip({small, bomb, ZipFile("AFTER.SFC", "a")});
  const ExtractOutcome streamed = ExtractZipBytes(bytes.substr(0, ZipCentralDirectoryOffset(bytes)),
                                                  target + "/streamed", ExtractLimits{100, 1000});
  EXPECT_FALSE(streamed.complete);
  EXPECT_EQ(streamed.files, Files{target + "/streamed/SMALL.SFC"});
  EXPECT_EQ(TreeOf(target + "/streamed"), Tree{"SMALL.SFC"});
}

// "Unzip" unpacks an archive next to itself: a member named like the archive replaces it, yet the
// members after it still come out of the archive being read.
TEST_F(ZipExtractTest, UnzipUnpacksNextToItself) {
  WriteTestFile(target + "/GAME.SFC", "old");
  WriteZip(target + "/pack.zip", {ZipFile("GAME.SFC", "new"), ZipFile("pack.zip", "not an archive"),
                                  ZipFile("docs/INFO.TXT", "info"), ZipFile("../escape.txt", "x")});
  EXPECT_EQ(UnzipNextToItself(target, "pack.zip"),
            (Files{target + "/GAME.SFC", target + "/pack.zip", target + "/docs/INFO.TXT"}));
  EXPECT_EQ(ReadTestFile(target + "/pack.zip"), "not an archive");
  EXPECT_EQ(ReadTestFile(target + "/docs/INFO.TXT"), "info");
  EXPECT_EQ(TreeOf(outside), Tree{});
  EXPECT_EQ(TreeOf(root.Path()).count("escape.txt"), 0u);
  EXPECT_TRUE(UnzipNextToItself(target, "missing.zip").empty());
}

}  // namespace
