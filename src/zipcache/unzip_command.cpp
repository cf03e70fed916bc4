// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/unzip_command.h"

#include "common/path.h"
#include "zipcache/info_unzip.h"

std::vector<std::string> UnzipNextToItself(const std::string& workingFolder, const std::string& fileName) {
  TInfoUnzip unzip(AddBackslash(workingFolder) + fileName);
  unzip.ExtractAll(workingFolder);
  return unzip.ExtractedFiles();
}
