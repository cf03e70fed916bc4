#pragma once

#include <string>

// Kind of a line of the ROM list; also the index of its picture.
enum EntryKind : int {
  kDrive = 0,
  kFolder = 1,
  kRomFile = 2,
  kRomFileWithConfig = 3,
  kZipArchive = 4,
  kZipArchiveWithConfig = 5,
};

// One line of the ROM list.
struct ListEntry {
  std::string caption;   // drive path, folder name, or file name without its extension
  int kind = kFolder;    // an EntryKind
  std::string fileName;  // for files: the full name with extension as listed; empty otherwise

  bool IsFile() const { return kind >= kRomFile; }
};
