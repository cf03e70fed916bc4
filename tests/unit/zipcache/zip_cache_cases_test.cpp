// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The zip cache and the extraction beneath it, through every case in tests/data/zip_cache/ (its
// README gives the form), and a table naming more folders than a case file can.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <map>
#include <memory>

#include "common/path.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "support/case_words.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/cache_table.h"
#include "zipcache/zip_cache.h"
#include "zipcache/zip_extract.h"

using namespace kivo::zipcache;

namespace {

using Words = std::vector<std::string>;

// A FIFO opened for reading without O_NONBLOCK would block the program for ever; the alarm turns
// that into a failure. It is far above any run's time: speed is the benchmarks' job, not this one's.
// (Windows has neither FIFOs in folders nor alarms.)
#ifndef _WIN32
[[maybe_unused]] const unsigned kWatchdog = ::alarm(600);
#endif

// What the HOW word of a "member" statement stands for.
const std::map<std::string, ZipMember> kMembers = {{"file", {}},
                                                   {"file+deflate", {.deflate = true}},
                                                   {"file+utf8", {.utf8Name = true}},
                                                   {"file+deflate+stream", {.deflate = true, .dataDescriptor = true}},
                                                   {"file+badcrc", {.wrongCrc = true}},
                                                   {"folder", {.kind = ZipMember::Kind::Folder}},
                                                   {"link", {.kind = ZipMember::Kind::Link}}};

void RunCase(const std::string& root, const std::vector<CaseStatement>& statements) {
  std::vector<std::unique_ptr<TZipCache>> caches;  // the one opened last at the back
  std::vector<ZipMember> members;                  // for the next "zip"
  std::string privateFolder;                       // what "*" stands for, once a ROM came from it
  for (const CaseStatement& statement : statements) {
    SCOPED_TRACE(statement.where);
    Words w = WordsBelow(statement, root);
    for (std::string& word : w) {
      if (word.starts_with("*/") && !privateFolder.empty()) word = PathsBelow("$" + word.substr(1), privateFolder, false);
    }
    if (RunFileStatement(w)) continue;
    if (w[0] == "member") {
      ZipMember& member = members.emplace_back(kMembers.at(w.at(1)));
      member.name = w.at(2);
      member.data = CaseStatement{"", w}.Joined(3);
    } else if (w[0] == "zip") {
      for (size_t i = 2; i < w.size(); ++i) {
        const size_t equals = w[i].find('=');
        members.push_back(ZipFile(w[i].substr(0, equals), w[i].substr(equals == std::string::npos ? 0 : equals + 1)));
      }
      WriteZip(w.at(1), members);
      members.clear();
    } else if (w[0] == "front") {
      const std::string bytes = ReadTestFile(w.at(1));
      WriteTestFile(w[1], bytes.substr(0, bytes.find("PK\x01\x02")));  // the first central directory header
    } else if (w[0] == "extract") {
      const ExtractOutcome outcome = ExtractZipFile(w.at(1), w.at(2), {std::stoul(w.at(3)), std::stoull(w.at(4))});
      EXPECT_EQ(outcome.complete, w.at(5) == "complete");
      EXPECT_EQ(outcome.files, Words(w.begin() + 6, w.end()));
    } else if (w[0] == "split") {
      EXPECT_EQ(SplitMemberName(w.at(1)).value_or(Words{"refused"}), Words(w.begin() + 2, w.end()));
    } else if (w[0] == "writes" || w[0] == "reads") {
      auto fails = [fail = w.at(1) == "fail"](const std::string& path) {
        return fail && kivo::common::ExtractFileName(path) == "cache.tbl";
      };
      w[0] == "writes" ? kivo::platform::SetWriteFaultForTesting(fails) : kivo::platform::SetReadFaultForTesting(fails);
    } else if (w[0] == "saved") {
      EXPECT_EQ(ReadTestFile(root + "/zipcache/cache.tbl"), FormatCacheTable(Words(w.begin() + 1, w.end())));
    } else if (w[0] == "lockable") {
      EXPECT_EQ(kivo::platform::FileLock(root + "/zipcache/cache.lock").IsHeld(), w.at(1) == "1");
    } else if (w[0] == "open") {
      caches.push_back(std::make_unique<TZipCache>(root + "/zipcache", std::stoi(w.at(1))));
      privateFolder.clear();
    } else if (caches.empty()) {
      ADD_FAILURE() << w[0] << " without an open cache";
    } else if (w[0] == "close") {
      caches.pop_back();
    } else if (TZipCache& cache = *caches.back(); w[0] == "rom") {
      const std::string rom = cache.GetRomFile(w.at(1));
      if (w.at(2).starts_with("*/")) {
        privateFolder =
            rom.substr(0, rom.find(kivo::common::kPathSeparator, root.size() + 5));  // "<root>/tmp/<folder>"
        w[2] = PathsBelow("$" + w[2].substr(1), privateFolder, false);
      }
      EXPECT_EQ(rom, w[2]);
    } else if (w[0] == "owns") {
      EXPECT_EQ(cache.OwnsSharedCache(), w.at(1) == "1");
    } else if (w[0] == "limit") {
      cache.SetLimit(std::stoi(w.at(1)));
    } else if (w[0] == "evict") {
      cache.EvictOldest();
    } else if (w[0] == "groups") {
      EXPECT_EQ(cache.CountGroups(), std::stoi(w.at(1)));
    } else if (w[0] == "consistent") {
      EXPECT_EQ(cache.TableIsConsistent(), w.at(1) == "1");
    } else if (w[0] == "table") {
      EXPECT_EQ(cache.CacheTable(), Words(w.begin() + 1, w.end()));
    } else if (w[0] == "savetable") {
      EXPECT_EQ(cache.SaveTable(), w.at(1) == "1");
    } else if (w[0] == "keep") {
      cache.KeepPrivateFolder();
    } else {
      ADD_FAILURE() << "unknown statement " << w[0];
    }
  }
  while (!caches.empty()) caches.pop_back();  // the second user first
}

class ZipCacheCase : public testing::TestWithParam<std::string> {};

TEST_P(ZipCacheCase, CachesAsItSays) {
  KIVO_CASE_STATEMENTS(statements);
  TempDir root;
  for (const char* folder : {"roms", "zipcache", "tmp"}) MakeTestDir(root / folder);
  // The private folders go below the temporary folder: TMPDIR on POSIX systems, TMP on Windows.
  ScopedEnv tmp("TMPDIR", root / "tmp"), windowsTmp("TMP", root / "tmp");
  RunCase(root.Path(), statements);
  kivo::platform::SetWriteFaultForTesting({});
  kivo::platform::SetReadFaultForTesting({});
}
INSTANTIATE_TEST_SUITE_P(zip_cache, ZipCacheCase, testing::ValuesIn(CaseFiles("zip_cache")), CaseName);

// A table naming two hundred thousand folders, as no table the cache writes does (damaged, or made
// to hurt), is purged in one pass: a pass per folder takes minutes.
// Archives made on Windows may separate with a backslash, which Windows' own calls take as a
// separator too: there no such name reaches above the target folder. On POSIX systems it is a
// letter of the name.
TEST(ZipCache, ABackslashInAMemberNameSeparatesOnlyOnWindows) {
#ifdef _WIN32
  EXPECT_EQ(SplitMemberName("a\\..\\..\\evil.smc"), std::nullopt);
  EXPECT_EQ(SplitMemberName("\\evil.smc"), std::nullopt);
  EXPECT_EQ(SplitMemberName("roms\\Zelda.smc").value_or(Words{}), (Words{"roms", "Zelda.smc"}));
#else
  EXPECT_EQ(SplitMemberName("a\\..\\evil.smc").value_or(Words{}), (Words{"a\\..\\evil.smc"}));
#endif
}

TEST(ZipCache, TwoHundredThousandFoldersPurgeInOnePass) {
  TempDir root;
  std::vector<std::string> lines = {root / "a.zip"};
  for (int i = 0; i < 200000; ++i) lines.push_back(root / ("zipcache/g-" + std::to_string(i) + "/gone.smc"));
  lines.push_back("?end?");
  MakeTestDir(root / "zipcache");
  WriteTestFile(root / "zipcache/cache.tbl", FormatCacheTable(lines));
  EXPECT_TRUE(TZipCache(root / "zipcache", 8).CacheTable().empty());  // files are missing: the table is purged
}

// An archive of many members with long names would make a table larger than any run reads, and
// every later run would work privately and never evict. Its group keeps the game and what fits in
// its share of the table; the rest is not kept, and the table reads back.
TEST(ZipCache, AGroupOfManyLongNamesKeepsTheTableReadable) {
#ifdef _WIN32
  GTEST_SKIP() << "paths of 2,000 characters, beyond what Windows' calls take without the \\\\?\\ form";
#endif
  TempDir root;
  MakeTestDir(root / "zipcache");
  std::string deep;
  for (int level = 0; level < 9; ++level) deep += std::string(250, 'n') + "/";
  std::vector<ZipMember> members;
  for (int i = 0; i < 2000; ++i) members.push_back(ZipFile(std::to_string(i) + "/" + deep + "f", "x"));
  members.push_back(ZipFile("GAME.SMC", "game"));
  WriteZip(root / "many.zip", members);
  const std::string game = root / "zipcache/many-1/GAME.SMC";
  EXPECT_EQ(TZipCache(root / "zipcache", 1).GetRomFile(root / "many.zip"), game);
  const std::string table = ReadTestFile(root / "zipcache/cache.tbl");
  EXPECT_LE(table.size(), size_t{4} << 20);
  EXPECT_GT(table.size(), size_t{3} << 20) << "it keeps what fits";
  TZipCache again(root / "zipcache", 1);
  ASSERT_TRUE(again.OwnsSharedCache());
  EXPECT_EQ(again.FindCachedRom(root / "many.zip"), game);
  size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "zipcache/many-1")) {
    files += entry.is_regular_file();
  }
  EXPECT_EQ(files, again.CacheTable().size() - 2) << "a member not kept is not left on disk";
}

}  // namespace
