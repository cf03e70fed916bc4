#include "zipcache/zip_cache.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "common/path.h"
#include "common/text.h"
#include "platform/files.h"
#include "platform/folder_tree.h"
#include "zipcache/cache_table.h"
#include "zipcache/info_unzip.h"

namespace {

constexpr size_t kMaxFolderBaseLength = 48;

bool NamesExistingFile(const std::string& line) {
  return line.find('\0') == std::string::npos && platform::FileExists(line);
}

// A readable folder name after the archive, of bytes that need no quoting anywhere; uniqueness
// comes from the number CreateUniqueFolder appends.
std::string GroupFolderBase(const std::string& archivePath) {
  std::string base = StripFileExt(ExtractFileName(archivePath));
  if (base.size() > kMaxFolderBaseLength) base.resize(kMaxFolderBaseLength);
  for (char& c : base) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '+' ||
                 c == ',' || c == '-' || c == '.';
    if (!plain) c = '_';
  }
  if (!base.empty() && base.front() == '.') base.front() = '_';
  return base.empty() ? "archive" : base;
}

}  // namespace

TZipCache::TZipCache(std::string folder, int32_t limit)
    : cacheFolder_(std::move(folder)), cacheLimit_(std::max<int32_t>(limit, 1)) {
  if (!platform::FileExists(TableFile())) return;
  std::string bytes;
  platform::ReadWholeFile(TableFile(), bytes);
  cacheTable_ = ParseCacheTable(bytes);
  if (!TableIsConsistent()) PurgeAll();
  ShrinkToLimit();
}

TZipCache::~TZipCache() {
  if (SaveTable()) return;
  // The old table may list groups evicted during this run and misses those added: leave no file
  // that no table lists, and no table naming files that are gone.
  PurgeAll();
  platform::DeleteFile(TableFile());
}

std::string TZipCache::TableFile() const { return AddBackslash(cacheFolder_) + "cache.tbl"; }

bool TZipCache::SaveTable() const { return platform::WriteFileAtomic(TableFile(), FormatCacheTable(cacheTable_)); }

std::string TZipCache::GetRomFile(const std::string& path) {
  std::string result;
  if (!IsZipName(path)) {
    result = path;
  } else if (FitsTableLine(path)) {
    if (!IsCached(path)) AddGroup(path);
    result = FindCachedRom(path);
  }
  ShrinkToLimit();
  return result;
}

void TZipCache::AddGroup(const std::string& path) {
  std::vector<std::string> files;
  std::string folder = platform::CreateUniqueFolder(cacheFolder_, GroupFolderBase(path));
  if (!folder.empty()) {
    TInfoUnzip unzip(path);
    unzip.ExtractAll(folder);
    for (const std::string& file : unzip.ExtractedFiles()) {
      // A name with a line break would read back as several lines, naming other files.
      if (FitsTableLine(file)) {
        files.push_back(file);
      } else {
        platform::DeleteFile(file);
      }
    }
    platform::RemoveEmptyFolderTree(folder);  // kept when it holds anything
  }
  cacheTable_.push_back(path);
  cacheTable_.insert(cacheTable_.end(), files.begin(), files.end());
  cacheTable_.emplace_back(kGroupEnd);
}

std::string TZipCache::FindCachedRom(const std::string& path) const {
  auto line = std::find(cacheTable_.begin(), cacheTable_.end(), path);
  const std::string_view romExtensions = kRomExtensions;
  for (; line != cacheTable_.end() && *line != kGroupEnd; ++line) {
    std::string ext = LowerAscii(ExtractFileExt(*line));
    if (!ext.empty() && romExtensions.find(ext) != std::string_view::npos) return *line;
  }
  return {};
}

bool TZipCache::IsCached(const std::string& path) const { return !FindCachedRom(path).empty(); }

void TZipCache::SetLimit(int32_t limit) {
  cacheLimit_ = std::max<int32_t>(limit, 1);
  ShrinkToLimit();
}

void TZipCache::ShrinkToLimit() {
  while (CountGroups() > cacheLimit_) EvictOldest();
}

int32_t TZipCache::CountGroups() const {
  return static_cast<int32_t>(std::count(cacheTable_.begin(), cacheTable_.end(), kGroupEnd));
}

void TZipCache::EvictOldest() {
  if (cacheTable_.empty()) return;
  // The first line is the archive's own; its files follow up to "?end?".
  auto end = std::find(cacheTable_.begin() + 1, cacheTable_.end(), kGroupEnd);
  std::vector<std::string> folders;
  for (auto line = cacheTable_.begin() + 1; line != end; ++line) {
    DeleteListedFile(*line);
    std::string folder = GroupFolderOf(*line);
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(std::move(folder));
    }
  }
  cacheTable_.erase(cacheTable_.begin(), end == cacheTable_.end() ? end : end + 1);
  for (const std::string& folder : folders) platform::RemoveEmptyFolderTree(folder);
}

bool TZipCache::TableIsConsistent() const {
  return std::all_of(cacheTable_.begin(), cacheTable_.end(),
                     [](const std::string& line) { return line == kGroupEnd || NamesExistingFile(line); });
}

void TZipCache::PurgeAll() {
  std::vector<std::string> folders;
  for (const std::string& line : cacheTable_) {
    if (line == kGroupEnd) continue;
    DeleteListedFile(line);
    std::string folder = GroupFolderOf(line);
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(std::move(folder));
    }
  }
  cacheTable_.clear();
  for (const std::string& folder : folders) platform::RemoveEmptyFolderTree(folder);
}

void TZipCache::DeleteListedFile(const std::string& line) const {
  if (IsZipName(line) || !IsInsideCache(line)) return;
  if (NamesExistingFile(line)) platform::DeleteFile(line);  // a refused deletion is not retried
}

bool TZipCache::IsInsideCache(const std::string& line) const {
  const std::string prefix = AddBackslash(cacheFolder_);
  if (prefix.empty() || line.size() <= prefix.size() || line.compare(0, prefix.size(), prefix) != 0) return false;
  std::string_view rest = std::string_view(line).substr(prefix.size());
  // No ".." component may lead back out.
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = std::min(rest.find(kPathSeparator, start), rest.size());
    if (rest.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

std::string TZipCache::GroupFolderOf(const std::string& line) const {
  if (!IsInsideCache(line)) return {};
  const std::string prefix = AddBackslash(cacheFolder_);
  size_t sep = line.find(kPathSeparator, prefix.size());
  if (sep == std::string::npos || sep == prefix.size()) return {};
  std::string folder = line.substr(0, sep);
  std::string name = folder.substr(prefix.size());
  return name == "." ? std::string() : folder;
}
