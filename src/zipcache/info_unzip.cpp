// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/info_unzip.h"

#include <utility>

namespace kivo::zipcache {

TInfoUnzip::TInfoUnzip(std::string archivePath, ExtractLimits limits)
    : archivePath_(std::move(archivePath)), limits_(limits) {}

bool TInfoUnzip::ExtractAll(const std::string& targetFolder) {
  ExtractOutcome outcome = ExtractZipFile(archivePath_, targetFolder, limits_);
  for (std::string& file : outcome.files) extractedFiles_.push_back(std::move(file));
  return outcome.complete;
}

}  // namespace kivo::zipcache
