// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "support/temp_dir.h"

// A ROM folder as collections hold them: `fileCount` images and archives named like dumps of
// games, one more file in ten that the list leaves out, twelve sub-folders, and beside it a
// kivo.ini whose "Configs" section names 2,000 of the games (every tenth of the first 20,000), each
// with a section of its own options. Configurations are made by hand, one game at a time, so a
// larger folder comes with the same kivo.ini. Made once per size and run, removed at exit.
class RomFolderFixture {
 public:
  explicit RomFolderFixture(int fileCount);

  const std::string& Folder() const { return folder_; }
  const std::string& IniPath() const { return iniPath_; }

 private:
  TempDir root_;
  std::string folder_;
  std::string iniPath_;
};

// The fixture of this size, made on first use.
const RomFolderFixture& RomFolder(int fileCount);
