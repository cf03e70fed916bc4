// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/zip_cache.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "common/path.h"
#include "common/text.h"
#include "platform/dirs.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/folder_tree.h"
#include "platform/temp_folder.h"
#include "zipcache/cache_table.h"
#include "zipcache/info_unzip.h"
#include "zipcache/zip_extract.h"

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
// What one group may add to the table: a quarter of it, so that an archive of many long-named
// members cannot make a table the next run refuses to read. Members beyond it are not kept (the
// first ROM image always is).
constexpr size_t kMaxGroupBytes = kMaxTableBytes / 4;
// And however few bytes a line takes, each costs a string: a million lines is far beyond any table
// the cache writes, and bounds what holding one may cost.
constexpr size_t kMaxTableLines = 1000000;

bool NamesExistingFile(const std::string& line) {
  return line.find('\0') == std::string::npos && platform::FileExists(line);
}

bool IsRomName(const std::string& name) {
  const std::string ext = common::LowerAscii(common::ExtractFileExt(name));
  return !ext.empty() && std::string_view(kRomExtensions).find(ext) != std::string_view::npos;
}

// A folder the cache made for a group: GroupFolderBase's name, "-" and CreateUniqueFolder's number.
bool IsGroupFolderName(std::string_view name) {
  const size_t dash = name.rfind('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == name.size() || name.front() == '.') return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(dash) + 1, name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// The lines of a table, a group at a time: its archive line, its file lines, and its "?end?" line
// (missing for a last group without one).
template <typename Visit>
void ForEachGroup(std::vector<std::string>::const_iterator first, std::vector<std::string>::const_iterator last,
                  Visit visit) {
  while (first != last) {
    auto end = std::find(first + 1, last, kGroupEnd);
    visit(first, end);
    first = end == last ? last : end + 1;
  }
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

// The folder in the system's own form: the table's lines are the paths the platform gives back,
// and only those below this exact prefix are the cache's to delete.
TZipCache::TZipCache(std::string folder, int32_t limit)
    : cacheFolder_(common::NativeSeparators(folder)),
      cacheLimit_(std::max<int32_t>(limit, 1)),
      lock_(std::make_unique<platform::FileLock>(LockFile())) {
  if (!lock_->IsHeld()) return;  // someone else owns the folder: work privately
  std::string bytes;
  const platform::ReadStatus status = platform::ReadFile(TableFile(), bytes, kMaxTableBytes);
  // A table that cannot be read now (an I/O error, no permission), taken as empty, would be
  // replaced by one that no longer lists the files it named; a read-only one could not be saved,
  // and its files would be deleted so as to leave none unlisted. Either way the table and its
  // files stay for a run that can use them, and that run may have the lock.
  if (status == platform::ReadStatus::kFailed || platform::IsReadOnlyFile(TableFile())) {
    lock_->Release();
    return;
  }
  ownsShared_ = true;
  // A run killed while saving left its temporary file; this is the next start.
  platform::RemoveInterruptedWrites(TableFile());
  // A table too large to hold is no reason to leave the cache unbounded for good: it starts afresh,
  // and its files go with the group folders that no table lists below.
  const bool holdable = status != platform::ReadStatus::kTooLarge &&
                        static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) <= kMaxTableLines;
  if (holdable) cacheTable_ = ParseCacheTable(bytes);
  DropForeignLines();
  if (!TableIsConsistent()) PurgeAll();
  RemoveUnlistedGroupFolders();
  ShrinkToLimit();
  if (FormatCacheTable(cacheTable_) != bytes) SaveTable();
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
    // An archive replaced since it was unpacked gives its new game.
    if (IsCached(path) && platform::ModifiedTime(path) > platform::ModifiedTime(FindCachedRom(path))) DropGroupOf(path);
    if (!IsCached(path)) AddGroup(path);
    result = FindCachedRom(path);
  }
  ShrinkToLimit();
  return result;
}

void TZipCache::AddGroup(const std::string& path) {
  if (!ownsShared_ && privateFolder_.empty()) privateFolder_ = platform::CreatePrivateTempFolder("kivo-zip-");
  if (FilesFolder().empty()) return;
  // Until its group is in the table, the folder is one the next start removes: a run killed while
  // unpacking leaves nothing behind for good.
  std::string folder = platform::CreateUniqueFolder(FilesFolder(), GroupFolderBase(path));
  if (folder.empty()) return;
  TInfoUnzip unzip(path);
  unzip.ExtractAll(folder);
  std::vector<std::string> files = KeepFiles(unzip.ExtractedFiles());
  platform::RemoveEmptyFolderTree(folder);  // kept when it holds anything
  // A group without files would only take a place in the limit; and for an archive that is missing
  // (or is no ZIP) its line would make the next start find the table inconsistent and purge it all.
  if (files.empty()) return;
  cacheTable_.push_back(path);
  cacheTable_.insert(cacheTable_.end(), files.begin(), files.end());
  cacheTable_.emplace_back(kGroupEnd);
  // The table on disk never lists more groups than the limit, and stays one the next run can
  // read: the oldest groups make room (each eviction saves it).
  const size_t lines = cacheTable_.size();
  ShrinkToLimit();
  while (CountGroups() > 1 && FormatCacheTable(cacheTable_).size() > kMaxTableBytes) EvictGroups(1);
  if (cacheTable_.size() == lines) SaveTable();
}

std::vector<std::string> TZipCache::KeepFiles(const std::vector<std::string>& extracted) const {
  // The game first: whatever else the archive holds, its first ROM image is kept.
  auto rom = std::find_if(extracted.begin(), extracted.end(),
                          [](const std::string& file) { return FitsTableLine(file) && IsRomName(file); });
  size_t bytes = rom == extracted.end() ? 0 : rom->size() + 2;
  std::vector<std::string> kept;
  for (auto file = extracted.begin(); file != extracted.end(); ++file) {
    // A name with a line break would read back as several lines, naming other files.
    const bool fits = FitsTableLine(*file) && (file == rom || bytes + file->size() + 2 <= kMaxGroupBytes);
    if (fits && file != rom) bytes += file->size() + 2;
    if (fits) {
      kept.push_back(*file);
    } else {
      DeleteListedFile(*file);
    }
  }
  return kept;
}

std::string TZipCache::FindCachedRom(const std::string& path) const {
  auto line = std::find(cacheTable_.begin(), cacheTable_.end(), path);
  for (; line != cacheTable_.end() && *line != kGroupEnd; ++line) {
    if (IsRomName(*line)) return *line;
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
  // The whole prefix goes in one erase, so shrinking a large table costs one pass rather than one
  // pass per group.
  auto cut = cacheTable_.cbegin();
  while (endLines > 0 && cut != cacheTable_.cend()) {
    // The first line is the archive's own (even when it reads "?end?"); its files follow up to
    // "?end?".
    if (*cut == kGroupEnd) --endLines;
    auto end = std::find(cut + 1, cacheTable_.cend(), kGroupEnd);
    if (end == cacheTable_.cend()) {
      cut = end;
    } else {
      --endLines;
      cut = end + 1;
    }
  }
  DropGroups(cacheTable_.cbegin(), cut);
}

void TZipCache::DropGroupOf(const std::string& path) {
  auto first = cacheTable_.cend();
  ForEachGroup(cacheTable_.cbegin(), cacheTable_.cend(), [&](auto archive, auto) {
    if (first == cacheTable_.cend() && *archive == path) first = archive;
  });
  if (first == cacheTable_.cend()) return;
  auto end = std::find(first + 1, cacheTable_.cend(), kGroupEnd);
  DropGroups(first, end == cacheTable_.cend() ? end : end + 1);
}

void TZipCache::DropGroups(std::vector<std::string>::const_iterator first,
                           std::vector<std::string>::const_iterator last) {
  std::vector<std::string> files;
  ForEachGroup(first, last, [&](auto archive, auto end) { files.insert(files.end(), archive + 1, end); });
  cacheTable_.erase(first, last);
  // The table first: a run killed while deleting leaves files of groups no table lists, which the
  // next start removes; the other way round it would find a table naming files that are gone.
  SaveTable();
  FolderSet folders;
  for (const std::string& file : files) DropListedFile(file, folders);
  RemoveGroupFolders(folders);
}

bool TZipCache::TableIsConsistent() const {
  return std::all_of(cacheTable_.begin(), cacheTable_.end(),
                     [](const std::string& line) { return line == kGroupEnd || NamesExistingFile(line); });
}

void TZipCache::PurgeAll() { DropGroups(cacheTable_.cbegin(), cacheTable_.cend()); }

void TZipCache::DropForeignLines() {
  std::vector<std::string> kept;
  ForEachGroup(cacheTable_.cbegin(), cacheTable_.cend(), [&](auto archive, auto end) {
    std::vector<std::string> files;
    for (auto line = archive + 1; line != end; ++line) {
      // A missing file is the cache's to notice (the table is then inconsistent); anything that is
      // not a file the cache unpacked, it leaves alone and forgets.
      const std::optional<std::vector<std::string>> below = OwnFileComponents(*line);
      if (below && platform::FindFileBelow(FilesFolder(), *below) != platform::FileBelow::kOther) files.push_back(*line);
    }
    if (files.empty() && end != archive + 1) return;  // nothing of it is left to the cache
    kept.push_back(*archive);
    kept.insert(kept.end(), files.begin(), files.end());
    if (end != cacheTable_.cend()) kept.emplace_back(kGroupEnd);
  });
  cacheTable_ = std::move(kept);
}

void TZipCache::RemoveUnlistedGroupFolders() const {
  FolderSet listed;
  for (const std::string& line : cacheTable_) {
    if (std::optional<std::vector<std::string>> below = OwnFileComponents(line)) listed.insert(below->front());
  }
  for (const platform::DirItem& item : platform::ListDirectory(FilesFolder())) {
    if (item.isDirectory && IsGroupFolderName(item.name) && !listed.contains(item.name)) {
      platform::RemoveFolderTree(common::AddBackslash(FilesFolder()) + item.name);  // a link is refused
    }
  }
}

void TZipCache::DropListedFile(const std::string& line, FolderSet& folders) const {
  std::optional<std::vector<std::string>> below = OwnFileComponents(line);
  if (!below) return;
  platform::DeleteFileBelow(FilesFolder(), *below);  // a refused deletion is not retried
  folders.insert(common::AddBackslash(FilesFolder()) + below->front());
}

void TZipCache::DeleteListedFile(const std::string& line) const {
  FolderSet folders;
  DropListedFile(line, folders);
}

void TZipCache::RemoveGroupFolders(const FolderSet& folders) {
  for (const std::string& folder : folders) platform::RemoveEmptyFolderTree(folder);
}

std::optional<std::vector<std::string>> TZipCache::OwnFileComponents(const std::string& line) const {
  const std::string prefix = common::AddBackslash(FilesFolder());
  if (FilesFolder().empty() || line.size() <= prefix.size() || line.compare(0, prefix.size(), prefix) != 0) {
    return std::nullopt;
  }
  std::optional<std::vector<std::string>> below = SplitMemberName(std::string_view(line).substr(prefix.size()));
  // The table and the lock file lie beside the group folders, never in one.
  if (!below || below->size() < 2 || !IsGroupFolderName(below->front())) return std::nullopt;
  return below;
}

}  // namespace kivo::zipcache
