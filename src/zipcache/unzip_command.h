// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace kivo::zipcache {

// The ROM list's "Unzip" command: the selected archive unpacked next to itself, its folders
// recreated and existing files replaced without a question, with the same confinement as the cache
// (nothing lands outside the working folder). The cache is not involved. The command applies to a
// file for which IsZipName (common/path.h) holds.

// Unpacks `fileName` of `workingFolder` into `workingFolder`. The files written, in archive order;
// a damaged archive gives what could be extracted, a missing one nothing. The window rescans the
// folder afterwards.
std::vector<std::string> UnzipNextToItself(const std::string& workingFolder, const std::string& fileName);

}  // namespace kivo::zipcache
