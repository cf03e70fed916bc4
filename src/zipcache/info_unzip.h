// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "zipcache/zip_extract.h"

namespace kivo::zipcache {

// One extraction of one archive, for one command (the cache filling itself, or "Unzip"); freed
// right after it. Reports each file it wrote, in archive order, by a path that opens and deletes it.
class TInfoUnzip {
 public:
  explicit TInfoUnzip(std::string archivePath, ExtractLimits limits = {});

  // Extracts every member into the folder (which must exist), recreating the archive's folders
  // and replacing existing files, confined to that folder as zip_extract.h describes. True when
  // the whole archive was extracted; false when it could not be opened, was damaged, or a member
  // was refused or not written. ExtractedFiles holds what was written either way.
  bool ExtractAll(const std::string& targetFolder);

  const std::string& ArchivePath() const { return archivePath_; }
  const std::vector<std::string>& ExtractedFiles() const { return extractedFiles_; }

 private:
  std::string archivePath_;
  ExtractLimits limits_;
  std::vector<std::string> extractedFiles_;
};

}  // namespace kivo::zipcache
