// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace kivo::browser {

// Kind of a line of the ROM list; also the index of its picture.
enum EntryKind : int {
  kDrive = 0,
  kFolder = 1,
  kRomFile = 2,
  kRomFileWithConfig = 3,
  kZipArchive = 4,
  kZipArchiveWithConfig = 5,
  // The two lists gathered from every folder, at the top of each list.
  kFavourites = 6,
  kRecentlyPlayed = 7,
};

constexpr bool IsFileKind(int kind) { return kind >= kRomFile && kind <= kZipArchiveWithConfig; }

// One line of the ROM list. The names are views: of the list the line came from (ListEntries),
// valid while that list lives unchanged; copy them into strings to keep them longer.
struct ListEntry {
  std::string_view caption;   // drive path, folder name, or file name without its extension
  int kind = kFolder;         // an EntryKind
  std::string_view fileName;  // for files: the full name with extension as listed; empty otherwise

  bool IsFile() const { return IsFileKind(kind); }
};

}  // namespace kivo::browser
