// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/zip_cache.h"

// A cache folder and a ROM folder of the test's own. Private extractions land in the test's own
// temporary folder too, so a test sees them come and go.
class ZipCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeTestDir(cacheDir);
    MakeTestDir(roms);
    MakeTestDir(tmpDir);
  }

  std::string Archive(const std::string& name, const std::vector<ZipMember>& members) {
    std::string path = roms + "/" + name;
    WriteZip(path, members);
    return path;
  }

  // What a folder holds, the cache's table and lock file aside.
  static std::set<std::string> Contents(const std::string& folder) {
    namespace fs = std::filesystem;
    std::set<std::string> paths;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
      std::string relative = it->path().lexically_relative(folder).string();
      if (relative != "cache.tbl" && relative != "cache.lock") paths.insert(relative);
    }
    return paths;
  }
  std::set<std::string> CacheContents() const { return Contents(cacheDir); }

  std::unique_ptr<TZipCache> Open(int32_t limit) { return std::make_unique<TZipCache>(cacheDir, limit); }

  TempDir root;
  std::string cacheDir = root / "zipcache";
  std::string roms = root / "roms";
  std::string tmpDir = root / "tmp";
  ScopedEnv tmpEnv{"TMPDIR", tmpDir};
};
