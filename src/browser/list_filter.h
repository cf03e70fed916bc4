// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "browser/entry_facts.h"
#include "browser/list_entries.h"

namespace kivo::browser {

// The rows of `entries` the search text leaves in the list, in the list's order: every line that is
// no file (the gathered lists, drives and folders, so the user can still go elsewhere), and the
// files whose name or title holds the text, ASCII letter case ignored. An empty text leaves every
// row. `facts` is per row of `entries`; rows beyond it have no title.
std::vector<std::uint32_t> FilterRows(const ListEntries& entries, const std::vector<EntryFacts>& facts,
                                      std::string_view text);

// Whether `text` holds `needle`, ASCII letter case ignored; `needle` is lower-cased already.
bool ContainsFolded(std::string_view text, std::string_view foldedNeedle);

}  // namespace kivo::browser
