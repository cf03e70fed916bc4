// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "browser/list_entries.h"
#include "browser/list_entry.h"

namespace kivo::browser {

// The list's order: drives, then folders, then files; within each group by lower-cased caption,
// byte by byte, a proper prefix first. Names that compare equal are ordered by their bytes and
// then by file name, so the order is strict and stable from one scan to the next.
bool ListEntryLess(const ListEntry& a, const ListEntry& b);

// Puts lines of `entries` into ListEntryLess's order, at a pace that suits a folder of hundreds of
// thousands of names.
void SortLines(const ListEntries& entries, std::vector<ListEntries::Line>& lines);

}  // namespace kivo::browser
