// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/zip_cache.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "common/path.h"
#include "common/text.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/folder_tree.h"
#include "platform/temp_folder.h"
#include "zipcache/cache_table.h"
#include "zipcache/info_unzip.h"

namespace kivo::zipcache {

namespace {

constexpr size_t kMaxFolderBaseLength = 48;
constexpr std::string_view kTableName = "cache.tbl";
constexpr std::string_view kLockName = "cache.lock";

// The table is read whole. One the cache wrote itself lists the files of at most the limit's groups
// (the window offers up to 100): some kilobytes, and still under 2 MiB for a thousand archives of
// ten files each with long paths. A larger file was not written by the cache; and as every line
// costs a string on top of its bytes, holding one of any size could take gigabytes.
constexpr size_t kMaxTableBytes = size_t{16} << 20;
// And however few bytes a line takes, each costs a string: a million lines is far beyond any table
// the cache writes, and bounds what holding one may cost.
constexpr size_t kMaxTableLines = 1000000;

bool NamesExistingFile(const std::string& line) {
  return line.find('\0') == std::string::npos && platform::FileExists(line);
}

// A readable folder name after the archive, of bytes that need no quoting anywhere; uniqueness
// comes from the number CreateUniqueFolder appends.
std::string GroupFolderBase(const std::string& archivePath) {
  std::string base = common::StripFileExt(common::ExtractFileName(archivePath));
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
    : cacheFolder_(std::move(folder)),
      cacheLimit_(std::max<int32_t>(limit, 1)),
      lock_(std::make_unique<platform::FileLock>(LockFile())) {
  if (!lock_->IsHeld()) return;  // someone else owns the folder: work privately
  std::string bytes;
  const platform::ReadStatus status = platform::ReadFile(TableFile(), bytes, kMaxTableBytes);
  const bool readable = (status == platform::ReadStatus::kRead || status == platform::ReadStatus::kMissing) &&
                        static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) <= kMaxTableLines;
  // A table that cannot be read, taken as empty, would be replaced at the end by one that no longer
  // lists the files it named; a read-only one could not be saved, and its files would be deleted
  // so as to leave none unlisted. Either way the table and its files stay for a run that can use
  // them, and that run may have the lock.
  if (!readable || platform::IsReadOnlyFile(TableFile())) {
    lock_->Release();
    return;
  }
  ownsShared_ = true;
  // A run killed while saving left its temporary file; this is the next start.
  platform::RemoveInterruptedWrites(TableFile());
  cacheTable_ = ParseCacheTable(bytes);
  if (!TableIsConsistent()) PurgeAll();
  ShrinkToLimit();
}

TZipCache::~TZipCache() {
  if (!ownsShared_) {
    if (!privateFolder_.empty() && !keepPrivateFolder_) platform::RemoveFolderTree(privateFolder_);
    return;
  }
  if (SaveTable()) return;
  // The old table may list groups evicted during this run and misses those added: leave no file
  // that no table lists, and no table naming files that are gone.
  PurgeAll();
  platform::DeleteFile(TableFile());
}

std::string TZipCache::TableFile() const { return common::AddBackslash(cacheFolder_) + std::string(kTableName); }

// Beside the table rather than the table itself: saving replaces the table file by a new one, and
// a lock on the old one would no longer shut anyone out.
std::string TZipCache::LockFile() const { return common::AddBackslash(cacheFolder_) + std::string(kLockName); }

bool TZipCache::SaveTable() const {
  return ownsShared_ && platform::WriteFileAtomic(TableFile(), FormatCacheTable(cacheTable_));
}

std::string TZipCache::GetRomFile(const std::string& path) {
  std::string result;
  if (!common::IsZipName(path)) {
    result = path;
  } else if (FitsTableLine(path)) {
    if (!IsCached(path)) AddGroup(path);
    result = FindCachedRom(path);
  }
  ShrinkToLimit();
  return result;
}

void TZipCache::AddGroup(const std::string& path) {
  if (!ownsShared_ && privateFolder_.empty()) privateFolder_ = platform::CreatePrivateTempFolder("kivo-zip-");
  if (FilesFolder().empty()) return;
  std::string folder = platform::CreateUniqueFolder(FilesFolder(), GroupFolderBase(path));
  if (folder.empty()) return;
  std::vector<std::string> files;
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
  // A group without files would only take a place in the limit; and for an archive that is missing
  // (or is no ZIP) its line would make the next start find the table inconsistent and purge it all.
  if (files.empty()) return;
  cacheTable_.push_back(path);
  cacheTable_.insert(cacheTable_.end(), files.begin(), files.end());
  cacheTable_.emplace_back(kGroupEnd);
}

std::string TZipCache::FindCachedRom(const std::string& path) const {
  auto line = std::find(cacheTable_.begin(), cacheTable_.end(), path);
  const std::string_view romExtensions = kRomExtensions;
  for (; line != cacheTable_.end() && *line != kGroupEnd; ++line) {
    std::string ext = common::LowerAscii(common::ExtractFileExt(*line));
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
  const int64_t surplus = int64_t{CountGroups()} - cacheLimit_;
  if (surplus > 0) EvictGroups(surplus);
}

int32_t TZipCache::CountGroups() const {
  return static_cast<int32_t>(std::count(cacheTable_.begin(), cacheTable_.end(), kGroupEnd));
}

void TZipCache::EvictOldest() {
  if (!cacheTable_.empty()) EvictGroups(1);
}

void TZipCache::EvictGroups(int64_t endLines) {
  // The whole prefix goes in one erase, and each group folder is looked at once, so shrinking a
  // large table costs one pass rather than one pass per group.
  FolderSet folders;
  auto cut = cacheTable_.cbegin();
  while (endLines > 0 && cut != cacheTable_.cend()) {
    // The first line is the archive's own (even when it reads "?end?"); its files follow up to
    // "?end?".
    if (*cut == kGroupEnd) --endLines;
    auto end = std::find(cut + 1, cacheTable_.cend(), kGroupEnd);
    for (auto line = cut + 1; line != end; ++line) DropListedFile(*line, folders);
    if (end == cacheTable_.cend()) {
      cut = end;
    } else {
      --endLines;
      cut = end + 1;
    }
  }
  cacheTable_.erase(cacheTable_.cbegin(), cut);
  RemoveGroupFolders(folders);
}

bool TZipCache::TableIsConsistent() const {
  return std::all_of(cacheTable_.begin(), cacheTable_.end(),
                     [](const std::string& line) { return line == kGroupEnd || NamesExistingFile(line); });
}

void TZipCache::PurgeAll() {
  FolderSet folders;
  for (const std::string& line : cacheTable_) {
    if (line != kGroupEnd) DropListedFile(line, folders);
  }
  cacheTable_.clear();
  RemoveGroupFolders(folders);
}

void TZipCache::DropListedFile(const std::string& line, FolderSet& folders) const {
  DeleteListedFile(line);
  std::string folder = GroupFolderOf(line);
  if (!folder.empty()) folders.insert(std::move(folder));
}

void TZipCache::RemoveGroupFolders(const FolderSet& folders) {
  for (const std::string& folder : folders) platform::RemoveEmptyFolderTree(folder);
}

void TZipCache::DeleteListedFile(const std::string& line) const {
  if (common::IsZipName(line) || !IsInsideCache(line)) return;
  if (NamesExistingFile(line)) platform::DeleteFile(line);  // a refused deletion is not retried
}

bool TZipCache::IsInsideCache(const std::string& line) const {
  const std::string prefix = common::AddBackslash(FilesFolder());
  if (prefix.empty() || line.size() <= prefix.size() || line.compare(0, prefix.size(), prefix) != 0) return false;
  std::string_view rest = std::string_view(line).substr(prefix.size());
  size_t names = 0;
  std::string_view name;
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = std::min(rest.find(common::kPathSeparator, start), rest.size());
    std::string_view part = rest.substr(start, end - start);
    if (part == "..") return false;  // it could lead back out
    if (!part.empty() && part != ".") {
      ++names;
      name = part;
    }
    start = end + 1;
  }
  // Whatever a table line says, the table and the lock file are not cached files: deleting the lock
  // file would let a second user lock a new one and share the folder.
  return names != 1 || (name != kTableName && name != kLockName);
}

std::string TZipCache::GroupFolderOf(const std::string& line) const {
  if (!IsInsideCache(line)) return {};
  const std::string prefix = common::AddBackslash(FilesFolder());
  size_t sep = line.find(common::kPathSeparator, prefix.size());
  if (sep == std::string::npos || sep == prefix.size()) return {};
  std::string folder = line.substr(0, sep);
  std::string name = folder.substr(prefix.size());
  return name == "." ? std::string() : folder;
}

}  // namespace kivo::zipcache
