// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/unzip_command.h"

#include "common/error.h"
#include "common/path.h"
#include "zipcache/info_unzip.h"

namespace kivo::zipcache {

UnzippedFiles UnzipNextToItself(const std::string& workingFolder, const std::string& fileName) {
  TInfoUnzip unzip(common::AddBackslash(workingFolder) + fileName);
  UnzippedFiles unzipped;
  unzipped.complete = unzip.ExtractAll(workingFolder);
  const std::string folder = common::AddBackslash(workingFolder);
  for (const std::string& path : unzip.ExtractedFiles())
    unzipped.names.push_back(path.starts_with(folder) ? path.substr(folder.size()) : path);
  return unzipped;
}

std::string UnzipReport(const std::string& fileName, const UnzippedFiles& unzipped) {
  if (unzipped.names.empty()) throw common::KivoError("Nothing could be unpacked from " + fileName);
  std::string report = "Unpacked from " + fileName + ":";
  for (const std::string& name : unzipped.names) report += "\n" + name;
  if (!unzipped.complete) report += "\n\nThe rest of the archive could not be unpacked.";
  return report;
}

}  // namespace kivo::zipcache
