// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Archives come from anywhere: extraction must take any bytes, write only regular files and
// folders, only inside its target folder, within its bounds, and report exactly files it wrote.
// The cache records an archive only when its extraction wrote a file, every file its group lists
// is there, the table file is written as the group is added and reads back, and the cache folder
// holds no file that the table does not list.
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
#include "zipcache/zip_extract.h"

using namespace kivo::zipcache;

namespace {

namespace fs = std::filesystem;

void Check(bool condition) {
  if (!condition) std::abort();
}

// The extractor's names are UTF-8, which std::filesystem takes and gives as such only when told: on
// Windows a plain string is read in the C library's own encoding.
fs::path Utf8Path(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }
std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A private folder holding the target folder and, beside it, a folder that must stay empty;
// removed when the program ends.
struct Scratch {
  Scratch() {
    const std::string made = kivo::platform::CreatePrivateTempFolder("kivo-fuzz-unzip-");
    Check(!made.empty());
    path = made;
    fs::create_directories(path / "beside");
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  fs::path path;
};

const fs::path& ScratchFolder() {
  static Scratch scratch;
  return scratch.path;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The same bytes as an archive file through the zip cache.
void CheckCache(std::string_view input) {
  const fs::path cacheFolder = ScratchFolder() / "zc";
  const std::string archive = (ScratchFolder() / "in.zip").string();
  std::error_code ignored;
  fs::remove_all(cacheFolder, ignored);
  fs::create_directories(cacheFolder);
  std::ofstream(archive, std::ios::binary | std::ios::trunc)
      .write(input.data(), static_cast<std::streamsize>(input.size()));

  std::vector<std::string> table;
  {
    TZipCache cache(cacheFolder.string(), 1);
    Check(cache.OwnsSharedCache());
    const std::string rom = cache.GetRomFile(archive);
    table = cache.CacheTable();
    Check(table.empty() ? rom.empty() : table.size() >= 3 && table.front() == archive && table.back() == kGroupEnd);
    Check(rom.empty() || std::find(table.begin(), table.end(), rom) != table.end());
    Check(cache.TableIsConsistent());
    const std::string prefix = (cacheFolder / "").string();
    for (size_t i = 1; i + 1 < table.size(); ++i) Check(table[i].compare(0, prefix.size(), prefix) == 0);
    Check(ParseCacheTable(ReadFile(cacheFolder / "cache.tbl")) == table);
  }
  Check(ParseCacheTable(ReadFile(cacheFolder / "cache.tbl")) == table);
  for (const auto& entry : fs::recursive_directory_iterator(cacheFolder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory() || (entry.path().parent_path() == cacheFolder && (name == "cache.tbl" || name == "cache.lock"))) {
      continue;
    }
    Check(std::find(table.begin(), table.end(), Utf8(entry.path())) != table.end());
  }
  fs::remove(archive, ignored);
  fs::remove_all(cacheFolder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const fs::path target = ScratchFolder() / "target";
  std::error_code ignored;
  fs::remove_all(target, ignored);
  fs::create_directories(target);

  const ExtractLimits limits{64, 4 << 20};
  ExtractOutcome outcome = ExtractZipBytes(input, target.string(), limits);

  Check(outcome.files.size() <= limits.maxMembers);
  const std::string prefix = (target / "").string();  // with the system's separator
  for (const std::string& file : outcome.files) {
    Check(file.compare(0, prefix.size(), prefix) == 0);
    Check(fs::is_regular_file(fs::symlink_status(Utf8Path(file))));
  }
  uint64_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(target)) {
    fs::file_status status = entry.symlink_status();
    Check(fs::is_regular_file(status) || fs::is_directory(status));
    if (fs::is_regular_file(status)) bytes += fs::file_size(entry.path());
    // No half-written file is left; a member may of course carry such a name itself.
    if (fs::is_regular_file(status) && entry.path().filename().string().rfind(".kivo-part-", 0) == 0)
      Check(std::find(outcome.files.begin(), outcome.files.end(), Utf8(entry.path())) != outcome.files.end());
  }
  Check(bytes <= limits.maxBytes);
  Check(fs::is_empty(ScratchFolder() / "beside"));
  size_t besides = 0;
  for (const auto& entry : fs::directory_iterator(ScratchFolder())) besides += entry.path() != target;
  Check(besides == 1);
  fs::remove_all(target, ignored);
  CheckCache(input);
  return 0;
}
