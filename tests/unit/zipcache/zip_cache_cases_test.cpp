// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The zip cache through every case in tests/data/zip_cache/ (its README gives the form).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>

#include "platform/file_lock.h"
#include "platform/files.h"
#include "support/case_words.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/cache_table.h"
#include "zipcache/zip_cache.h"

using namespace kivo::zipcache;

namespace {

// An archive that blocks the cache (a FIFO opened for reading) would hang the whole run.
std::string RomWithin10Seconds(TZipCache& cache, const std::string& path) {
  auto rom = std::async(std::launch::async, [&] { return cache.GetRomFile(path); });
  if (rom.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return rom.get();
  ADD_FAILURE() << path << " blocks";
  std::_Exit(1);
}

std::function<bool(const std::string&)> FailsOnTable(bool fail) {
  return [fail](const std::string& path) { return fail && path.ends_with("/cache.tbl"); };
}

void RunCase(const std::string& root, const std::vector<CaseStatement>& statements) {
  struct ResetSeams {
    ~ResetSeams() {
      kivo::platform::SetWriteFaultForTesting({});
      kivo::platform::SetReadFaultForTesting({});
    }
  } resetSeams;
  std::vector<std::unique_ptr<TZipCache>> caches;  // the one opened last at the back
  std::string privateFolder;                       // what "*" stands for, once a ROM came from it
  for (const CaseStatement& statement : statements) {
    SCOPED_TRACE(statement.where);
    std::vector<std::string> w = WordsBelow(statement, root);
    for (std::string& word : w) {
      if (word.starts_with("*/") && !privateFolder.empty()) word.replace(0, 1, privateFolder);
    }
    const std::vector<std::string> lines(w.begin() + 1, w.end());
    if (RunFileStatement(w)) continue;
    if (w[0] == "zip") {
      std::vector<ZipMember> members;
      for (size_t i = 2; i < w.size(); ++i) {
        const size_t equals = w[i].find('=');
        members.push_back(ZipFile(w[i].substr(0, equals), w[i].substr(equals == std::string::npos ? 0 : equals + 1)));
      }
      WriteZip(w.at(1), members);
    } else if (w[0] == "writes") {
      kivo::platform::SetWriteFaultForTesting(FailsOnTable(w.at(1) == "fail"));
    } else if (w[0] == "reads") {
      kivo::platform::SetReadFaultForTesting(FailsOnTable(w.at(1) == "fail"));
    } else if (w[0] == "saved") {
      EXPECT_EQ(ReadTestFile(root + "/zipcache/cache.tbl"), FormatCacheTable(lines));
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
      const std::string rom = RomWithin10Seconds(cache, w.at(1));
      if (w.at(2).starts_with("*/")) {
        privateFolder = rom.substr(0, rom.find('/', root.size() + 5));  // "<root>/tmp/<folder>"
        w[2].replace(0, 1, privateFolder);
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
      EXPECT_EQ(cache.CacheTable(), lines);
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

TEST(ZipCache, EveryCaseCachesAsItSays) {
  for (const std::vector<CaseStatement>& statements : ReadCaseStatements("zip_cache")) {
    TempDir root;
    for (const char* folder : {"roms", "zipcache", "tmp"}) MakeTestDir(root / folder);
    ScopedEnv tmp("TMPDIR", root / "tmp");
    RunCase(root.Path(), statements);
  }
}

}  // namespace
