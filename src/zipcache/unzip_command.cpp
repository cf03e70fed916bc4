// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/unzip_command.h"

#include "common/path.h"
#include "zipcache/info_unzip.h"

namespace kivo::zipcache {

std::vector<std::string> UnzipNextToItself(const std::string& workingFolder, const std::string& fileName) {
  TInfoUnzip unzip(common::AddBackslash(workingFolder) + fileName);
  unzip.ExtractAll(workingFolder);
  return unzip.ExtractedFiles();
}

}  // namespace kivo::zipcache
