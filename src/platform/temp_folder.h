// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// Private temporary folders: made in the system's temporary folder, removed whole when done.
namespace kivo::platform {

// Creates a new folder only this user may enter, in $TMPDIR (else /tmp; on Windows the folder
// GetTempPathW names, under the user's profile), named `prefix` followed by
// random characters. Its full path, or empty when none could be made.
std::string CreatePrivateTempFolder(const std::string& prefix);

// Removes the folder with everything in it. Links are removed, never followed, so nothing outside
// the folder goes; a tree deeper than 128 levels keeps what lies below that depth (and the folders
// holding it). True when the folder itself is gone.
bool RemoveFolderTree(const std::string& path);

}  // namespace kivo::platform
