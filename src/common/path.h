// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace kivo::common {

// Path helpers over byte strings. File names are kept as the bytes the system gave; nothing here
// decodes them.

// Separator of the platform's paths.
inline constexpr char kPathSeparator = '/';

// An empty path stays empty; any other path gets a separator appended unless it ends in one.
std::string AddBackslash(std::string_view path);

// The text from the last '.' of the last path component, the dot included; empty when none.
std::string ExtractFileExt(std::string_view path);

// True when the extension (as ExtractFileExt gives it) is ".zip" in any letter case: the list shows
// such a file as an archive, the cache unpacks it, and "Unzip" applies to it.
bool IsZipName(std::string_view fileName);

// The last path component (everything after the last separator).
std::string ExtractFileName(std::string_view path);

// Everything before the last separator; a root keeps its separator ("/x" gives "/").
std::string ExtractFileDir(std::string_view path);

// The file name without its extension (as ExtractFileExt defines it).
std::string StripFileExt(std::string_view name);

}  // namespace kivo::common
