#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The cache of ROM files unpacked from ZIP archives, so that the emulator (which reads no archives)
// gets a plain file, and a second use of an archive needs no extraction, across runs too.
//
// The table (see cache_table.h) lists, per archive, the files its extraction produced, oldest group
// first. A group's age is when it was added; finding it again does not make it younger. Beyond the
// limit the oldest groups are evicted and their files deleted. Each extraction gets a folder of its
// own below the cache folder, so two archives holding a file of the same name never share (and
// overwrite) one cached file; an evicted group's folder goes once it is empty.
//
// Files are only ever deleted inside the cache folder, and files whose extension is ".zip" (in any
// letter case: an archive inside an archive, or an archive line) never are.
class TZipCache {
 public:
  // Loads the table from the folder's "cache.tbl", if any; a table naming a file that no longer
  // exists is purged whole; then surplus groups are evicted. A limit below 1 counts as 1.
  TZipCache(std::string folder, int32_t limit);
  // Writes the table file (the only time it is written). When that fails, every cached file is
  // deleted along with the old table file, so no file is left on disk that no table lists.
  ~TZipCache();
  TZipCache(const TZipCache&) = delete;
  TZipCache& operator=(const TZipCache&) = delete;

  // A plain ROM file for a ROM-list entry: a path whose extension is not ".zip" (any letter case)
  // comes back as it is; for an archive, the ROM file of its group, extracting the archive into
  // the cache first when no group of it holds one. Empty when the archive yields no ROM file (or
  // its path cannot be recorded: it holds a line break). Surplus groups are evicted in every case.
  std::string GetRomFile(const std::string& path);
  // The first file of the archive's first group whose extension occurs in kRomExtensions; empty
  // when there is none. Paths compare byte for byte, letter case included.
  std::string FindCachedRom(const std::string& path) const;
  bool IsCached(const std::string& path) const;

  void SetLimit(int32_t limit);
  void ShrinkToLimit();
  // Lines reading "?end?"; a last group without that line does not count.
  int32_t CountGroups() const;
  // Removes the first group and deletes its files.
  void EvictOldest();
  // True when every line other than "?end?" (archive lines included) names an existing file.
  bool TableIsConsistent() const;
  // Deletes every listed file, then empties the table.
  void PurgeAll();

  // Writes the table file atomically; false when it could not be written (the old one is intact).
  bool SaveTable() const;

  const std::string& CacheFolder() const { return cacheFolder_; }
  const std::vector<std::string>& CacheTable() const { return cacheTable_; }
  int32_t CacheLimit() const { return cacheLimit_; }
  std::string TableFile() const;

 private:
  // Extracts the archive into a new folder of its own and appends its group.
  void AddGroup(const std::string& path);
  // Deletes the file a table line names, when the cache may delete it.
  void DeleteListedFile(const std::string& line) const;
  // The folder of the cache's top level that holds the line's file, or empty.
  std::string GroupFolderOf(const std::string& line) const;
  bool IsInsideCache(const std::string& line) const;

  std::string cacheFolder_;
  std::vector<std::string> cacheTable_;
  int32_t cacheLimit_;
};

// The extensions that make a cached file a ROM image; an extension counts when it occurs anywhere
// in this text, so ".sm", ".0" and ".s" count as well.
inline constexpr const char* kRomExtensions = ".smc .1 .fig .sfc .jap .usa .eur .dem .078 .058 .swc .rom";
