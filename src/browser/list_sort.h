// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "browser/entry_facts.h"
#include "browser/list_entries.h"

namespace kivo::browser {

// The details view's columns, in their order; also what the list can be sorted by.
enum class ListColumn : int { Name, Title, Region, Size, Type, LastPlayed, Played };
inline constexpr int kListColumns = 7;

// Puts the file rows among `rows` (rows of `entries`) in the order of `column`, reversed when
// `descending`; the lines that are no file keep their places at the top. Files alike in the column
// keep the list's own order (by name), whichever way round, so a second sort never shuffles them.
// Sorting by name in ascending order is the list's own order. A file with no title or region yet
// comes after those with one; sizes not yet known count as smallest.
void SortRows(std::vector<std::uint32_t>& rows, const ListEntries& entries, const std::vector<EntryFacts>& facts,
              ListColumn column, bool descending);

}  // namespace kivo::browser
