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

// What an unzip wrote.
struct UnzippedFiles {
  // Each file written, as its path below the working folder ("GAME.SMC", "docs/README.TXT"), in
  // archive order.
  std::vector<std::string> names;
  // False when the archive is damaged or missing, or a member was refused: `names` holds what was
  // written all the same.
  bool complete = false;
};

// Unpacks `fileName` of `workingFolder` into `workingFolder`. A damaged archive gives what could be
// extracted, a missing one nothing. The window rescans the folder afterwards.
UnzippedFiles UnzipNextToItself(const std::string& workingFolder, const std::string& fileName);

// What the window tells the user after unpacking `fileName`: the files it wrote, and that some
// could not be unpacked. Raises KivoError when nothing at all was written.
std::string UnzipReport(const std::string& fileName, const UnzippedFiles& unzipped);

}  // namespace kivo::zipcache
