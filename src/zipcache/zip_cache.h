// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace kivo::platform {
class FileLock;
}

namespace kivo::zipcache {

// The cache of ROM files unpacked from ZIP archives, so that the emulator (which reads no archives)
// gets a plain file, and a second use of an archive needs no extraction, across runs too.
//
// The table (see cache_table.h) lists, per archive, the files its extraction produced, oldest group
// first. A group's age is when it was added; finding it again does not make it younger. Beyond the
// limit the oldest groups are evicted and their files deleted. Each extraction gets a folder of its
// own below the cache folder, so two archives holding a file of the same name never share (and
// overwrite) one cached file; an evicted group's folder goes once it is empty.
//
// Files are only ever deleted in the group folders the cache made, as regular files reached from
// the cache folder without following any link; the archives themselves, the table and the lock
// file never are, whatever the table names. A table line naming anything else is dropped from the
// table and its file left alone.
//
// The table file is written after every change, so a run that is killed leaves the record of what
// it unpacked. A group's folder is made before its line is in the table; the start, holding the
// lock, removes every group folder that no table line lists, with what a killed extraction left in
// it.
//
// The window and kivo-tool share one cache folder. One TZipCache at a time owns the folder, holding
// an exclusive lock on "cache.lock" beside the table for its whole life. Any other (a kivo-tool run
// while the window is open, a second window) works alone in a private temporary folder of its own,
// made at its first extraction and removed with everything in it when it goes; it starts with an
// empty table, never writes the table file, and neither extracts into nor deletes from the shared
// folder. A run that finds the table file present but unreadable (an I/O error, no permission) or
// read-only works the same way, so the table and the files it lists stay for a run that can use
// them. A table larger than any the cache writes is started afresh.
class TZipCache {
 public:
  // Takes the lock and loads the table from the folder's "cache.tbl" (a missing one is empty); a
  // table naming a file that no longer exists is purged whole; group folders no line lists are
  // removed; then surplus groups are evicted.
  // Without the lock, or with a table that cannot be read, the cache works privately as above.
  // A limit below 1 counts as 1.
  TZipCache(std::string folder, int32_t limit);
  // The owner writes the table file once more. When that fails, every cached file is deleted along
  // with the old table file, so no file is left on disk that no table lists. A private cache
  // removes its folder instead.
  ~TZipCache();
  TZipCache(const TZipCache&) = delete;
  TZipCache& operator=(const TZipCache&) = delete;

  // A plain ROM file for a ROM-list entry: a path whose extension is not ".zip" (any letter case)
  // comes back as it is; for an archive, the ROM file of its group, extracting the archive into
  // the cache first when no group of it holds one, or when the archive was modified after its
  // group's ROM file was unpacked (the old group goes). Empty when the archive yields no ROM file (or
  // its path cannot be recorded: it holds a line break). An extraction that writes no file (the
  // archive is missing or no ZIP) adds no group. Surplus groups are evicted in every case.
  std::string GetRomFile(const std::string& path);
  // The first file of the archive's first group whose extension occurs in kRomExtensions; empty
  // when there is none. Paths compare byte for byte, letter case included.
  std::string FindCachedRom(const std::string& path) const;
  bool IsCached(const std::string& path) const;

  void SetLimit(int32_t limit);
  // Evicts the oldest groups until no more than the limit are left, in one pass over the table.
  void ShrinkToLimit();
  // Lines reading "?end?"; a last group without that line does not count.
  int32_t CountGroups() const;
  // Removes the first group and deletes its files.
  void EvictOldest();
  // True when every line other than "?end?" (archive lines included) names an existing file.
  bool TableIsConsistent() const;
  // Empties the table, then deletes every listed file.
  void PurgeAll();

  // Writes the table file atomically; false when it could not be written (the old one is intact),
  // and always false without owning the shared folder. Every change writes it.
  bool SaveTable() const;

  // True when this cache holds the shared folder's lock and its table; false when it works privately.
  bool OwnsSharedCache() const { return ownsShared_; }
  // A private cache whose files a program started meanwhile still reads (an emulator given one of
  // them) leaves its folder behind, to the system's cleaning of temporary files.
  void KeepPrivateFolder() { keepPrivateFolder_ = true; }
  const std::string& CacheFolder() const { return cacheFolder_; }
  const std::vector<std::string>& CacheTable() const { return cacheTable_; }
  int32_t CacheLimit() const { return cacheLimit_; }
  std::string TableFile() const;
  std::string LockFile() const;

 private:
  // Extracts the archive into a new folder of its own and appends its group, when it wrote a file.
  void AddGroup(const std::string& path);
  // Those of a new group's files the table keeps: the first ROM image, and the others while the
  // group's lines stay within their share of the table; the rest are deleted.
  std::vector<std::string> KeepFiles(const std::vector<std::string>& extracted) const;
  using FolderSet = std::unordered_set<std::string>;
  // Removes the oldest groups, in one pass, until `endLines` lines reading "?end?" went with them
  // (or the table is empty): exactly what evicting the first group that often would remove.
  void EvictGroups(int64_t endLines);
  // Removes the first group whose archive line is `path`.
  void DropGroupOf(const std::string& path);
  // Removes whole groups from the table, saves it, then deletes their files.
  void DropGroups(std::vector<std::string>::const_iterator first, std::vector<std::string>::const_iterator last);
  // Forgets the file lines that name nothing the cache unpacked (and groups left without any).
  void DropForeignLines();
  // Removes the group folders that no table line lists, with everything in them.
  void RemoveUnlistedGroupFolders() const;
  // The folder extractions go into and the only one files are deleted from: the shared folder for
  // its owner, else the private folder (empty until the first extraction makes it).
  const std::string& FilesFolder() const { return ownsShared_ ? cacheFolder_ : privateFolder_; }
  // Deletes the file a table line names, when it is one the cache unpacked.
  void DeleteListedFile(const std::string& line) const;
  // The same, noting the group folder that held the file.
  void DropListedFile(const std::string& line, FolderSet& folders) const;
  // Removes those of the folders that are left empty.
  static void RemoveGroupFolders(const FolderSet& folders);
  // The line's file as components below the files folder, when it lies in a group folder there.
  std::optional<std::vector<std::string>> OwnFileComponents(const std::string& line) const;

  std::string cacheFolder_;
  std::vector<std::string> cacheTable_;
  int32_t cacheLimit_;
  std::unique_ptr<platform::FileLock> lock_;
  bool ownsShared_ = false;
  std::string privateFolder_;
  bool keepPrivateFolder_ = false;
};

// The extensions that make a cached file a ROM image; an extension counts when it occurs anywhere
// in this text, so ".sm", ".0" and ".s" count as well.
inline constexpr const char* kRomExtensions = ".smc .1 .fig .sfc .jap .usa .eur .dem .078 .058 .swc .rom";

}  // namespace kivo::zipcache
