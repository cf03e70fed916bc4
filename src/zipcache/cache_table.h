// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kivo::zipcache {

// The bytes of the cache table file "cache.tbl": one table line per text line, each ended by CR LF,
// no header, quoting or escaping. Groups are an archive line, the lines of the files extracted from
// it, and a line reading kGroupEnd.

inline constexpr std::string_view kGroupEnd = "?end?";

// CR LF, a lone CR and a lone LF each end a line; a last line without an ending is kept.
std::vector<std::string> ParseCacheTable(std::string_view bytes);

// Every line followed by CR LF; an empty table gives no bytes.
std::string FormatCacheTable(const std::vector<std::string>& lines);

// A text that can be a table line without splitting into several when read back, nor naming a
// different file than it reads (no CR, LF or NUL).
bool FitsTableLine(std::string_view text);

}  // namespace kivo::zipcache
