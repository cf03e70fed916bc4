// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace kivo::common {

// The extensions the ROM list shows, and so the files taken for games wherever they are found (in
// a folder, or as members of an archive). An extension is listed when its lower-cased form, dot
// included, occurs anywhere in this text, so partial forms such as ".sm" or ".0" are listed too.
inline constexpr std::string_view kRomFilter = ".zip;.smc;.sfc;.fig;.078;.058;.eur;.dem;.jap;.1";

// True when an extension, from a name's last dot on (as ExtractFileExt gives it), is listed. Runs for
// every file of a folder, without a copy.
bool IsListedExtension(std::string_view extension);

// True when a file of this name belongs in the list.
bool MatchesRomFilter(std::string_view fileName);

}  // namespace kivo::common
