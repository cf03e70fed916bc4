// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rom/rom_title.h"

namespace kivo::browser {

// The table's file name in the cache folder.
inline constexpr std::string_view kTitleTableName = "titles.tbl";

// What is remembered of one file: its size and modified time when it was read, and its title.
struct TitleRecord {
  std::int64_t size = 0;
  std::int64_t modified = 0;
  rom::RomTitle title;
  bool operator==(const TitleRecord&) const = default;
};

// One record with the full path of its file.
struct TitleLine {
  std::string path;
  TitleRecord record;
  bool operator==(const TitleLine&) const = default;
};

// The titles read before, per file (full path, size, modified time), kept in a small table file so
// that a second visit to a folder reads no file. The file holds one record a line, oldest first:
// path, size, modified time, region and title, separated by tabs and ended by LF; a backslash, tab,
// CR or LF inside a text is written as \\, \t, \r or \n, and every other byte as it is, so names are
// kept byte for byte. A line that does not read back as a whole record (damaged, or cut short by the
// end of the file) is skipped. Bounded: at most kMaxRecords records and kMaxFileBytes of file, the
// oldest records dropped beyond that. Used by one thread at a time.
class TitleTable {
 public:
  static constexpr size_t kMaxRecords = 100000;
  static constexpr size_t kMaxFileBytes = size_t{32} << 20;

  // Reads the file if there is one; a file larger than kMaxFileBytes is not read.
  explicit TitleTable(std::string path);

  // The record of the file, only when its size and time still agree; null otherwise.
  const TitleRecord* Find(std::string_view path, std::int64_t size, std::int64_t modified) const;
  // Remembers the record as the newest, replacing any older one of the path.
  void Put(std::string path, TitleRecord record);
  // True when a Put changed what Save would write since the table was read or saved.
  bool Changed() const { return changed_; }
  // Replaces the file atomically (its folder made when missing); false when the write failed, the
  // old file being then intact.
  bool Save();

  size_t Size() const { return lines_.size(); }
  // The records, oldest first.
  std::vector<TitleLine> Lines() const;

  // The file's bytes for records given oldest first: the newest that fit the bounds.
  static std::string Format(const std::vector<TitleLine>& lines);
  // The records of a file's bytes, oldest first: its last kMaxRecords lines that read back whole.
  static std::vector<TitleLine> Parse(std::string_view bytes);

 private:
  void Insert(TitleLine line);

  std::string path_;
  std::list<TitleLine> lines_;  // oldest first
  // Keys view the paths of lines_, whose nodes never move.
  std::unordered_map<std::string_view, std::list<TitleLine>::iterator> index_;
  bool changed_ = false;
};

}  // namespace kivo::browser
