#pragma once

#include <string>
#include <vector>

// The ROM list's "Unzip" command: the selected archive unpacked next to itself, its folders
// recreated and existing files replaced without a question, with the same confinement as the cache
// (nothing lands outside the working folder). The cache is not involved.

// Whether the command applies to a list entry's file name: its extension is ".zip" in any case.
bool CanUnzip(const std::string& fileName);

// Unpacks `fileName` of `workingFolder` into `workingFolder`. The files written, in archive order;
// a damaged archive gives what could be extracted, a missing one nothing. The window rescans the
// folder afterwards.
std::vector<std::string> UnzipNextToItself(const std::string& workingFolder, const std::string& fileName);
