// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// cache.tbl lies in a folder other programs and the user can write: its reader must take any bytes,
// read back what it writes, and whatever the table names, the cache may delete nothing but regular
// files in its own group folders: nothing outside its folder, nothing beside the group folders,
// nothing through a link. What it keeps of a table is a part of it, in order.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/temp_folder.h"
#include "zipcache/cache_table.h"
#include "zipcache/zip_cache.h"

using namespace kivo::zipcache;

namespace {

namespace fs = std::filesystem;

void Check(bool condition) {
  if (!condition) std::abort();
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The cache works on the relative folder "zc" of a private temporary folder, made current for the
// length of one input (the caller's own relative paths keep working between inputs), so that table
// lines can name its files, and files beside it, without knowing where it lies. It is removed when
// the program ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    const std::string made = kivo::platform::CreatePrivateTempFolder("kivo-fuzz-table-");
    Check(!made.empty());
    path_ = made;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The table without its first group: the first line and the lines after it up to the next "?end?".
std::vector<std::string> WithoutFirstGroup(std::vector<std::string> lines) {
  if (lines.empty()) return lines;
  auto end = std::find(lines.begin() + 1, lines.end(), kGroupEnd);
  lines.erase(lines.begin(), end == lines.end() ? end : end + 1);
  return lines;
}

// The table after evicting its first group, one at a time, until no more than `limit` are left.
std::vector<std::string> EvictedOneByOne(std::vector<std::string> lines, int32_t limit) {
  while (std::count(lines.begin(), lines.end(), kGroupEnd) > limit) lines = WithoutFirstGroup(std::move(lines));
  return lines;
}

// Which of the files the cache folder starts with are there.
std::vector<bool> CacheFilesPresent() {
  std::vector<bool> present;
  for (const char* file : {"zc/a.smc", "zc/g-1/b.sfc", "zc/inner.zip", "zc/g-1/INNER.ZIP", "zc/g-1/link.smc"}) {
    present.push_back(fs::exists(fs::symlink_status(file)));
  }
  return present;
}

// Whether `part` is `whole` with some lines left out.
bool IsPartOf(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  auto line = whole.begin();
  for (const std::string& kept : part) {
    line = std::find(line, whole.end(), kept);
    if (line == whole.end()) return false;
    ++line;
  }
  return true;
}

class EnterScratchFolder {
 public:
  EnterScratchFolder() : previous_(fs::current_path()) {
    static ScratchFolder folder;
    fs::current_path(folder.Path());
  }
  ~EnterScratchFolder() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);

  std::vector<std::string> lines = ParseCacheTable(input);
  for (const std::string& line : lines) Check(line.find_first_of("\r\n") == std::string::npos);
  Check(ParseCacheTable(FormatCacheTable(lines)) == lines);

  EnterScratchFolder entered;
  std::error_code ignored;
  fs::remove_all("zc", ignored);
  fs::create_directories("zc/g-1");
  WriteFile("outside.smc", "keep");
  WriteFile("zc/a.smc", "a");
  WriteFile("zc/g-1/b.sfc", "b");
  WriteFile("zc/inner.zip", "z");
  WriteFile("zc/g-1/INNER.ZIP", "z");
  // Links out of the cache, as a folder that looks like a group's and as a file in a group.
  fs::create_directory_symlink("..", "zc/l-1");
  fs::create_symlink("../../outside.smc", "zc/g-1/link.smc");
  WriteFile("zc/cache.tbl", input);
  std::vector<std::string> saved;
  {
    TZipCache cache("zc", 1 << 30);  // loaded as it is, or purged whole; nothing evicted yet
    Check(cache.OwnsSharedCache());
    const std::vector<std::string> loaded = cache.CacheTable();
    Check(IsPartOf(loaded, lines));
    // The owner writes what it holds.
    Check(ParseCacheTable(ReadFile("zc/cache.tbl")) == loaded);
    {
      // A second user while the first holds the folder sees no group and leaves everything alone.
      const std::vector<bool> present = CacheFilesPresent();
      const std::string table = ReadFile("zc/cache.tbl");
      {
        TZipCache second("zc", 1);
        Check(!second.OwnsSharedCache() && second.CacheTable().empty());
        second.PurgeAll();
      }
      Check(CacheFilesPresent() == present && ReadFile("zc/cache.tbl") == table);
    }
    for (size_t i = 0; i < cache.CacheTable().size() && i < 8; ++i) {
      const std::string& line = cache.CacheTable()[i];
      std::string rom = cache.FindCachedRom(line);
      Check(cache.IsCached(line) == !rom.empty());
    }
    // Shrinking is one pass, and removes exactly what evicting the first group that often would.
    cache.SetLimit(2);
    Check(cache.CountGroups() <= 2 && cache.CacheTable() == EvictedOneByOne(loaded, 2));
    const std::vector<std::string> before = cache.CacheTable();
    cache.EvictOldest();
    Check(cache.CacheTable() == WithoutFirstGroup(before));
    cache.SetLimit(1);
    Check(cache.CountGroups() <= 1);
    saved = cache.CacheTable();
  }
  Check(ParseCacheTable(ReadFile("zc/cache.tbl")) == saved);
  Check(fs::exists("outside.smc") && fs::exists("zc/inner.zip") && fs::exists("zc/a.smc"));
  return 0;
}
