// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "browser/entry_facts.h"
#include "browser/game_lists.h"
#include "browser/title_scan.h"
#include "browser/title_table.h"

namespace kivo::browser {

// What the title scan found of a file, as the list keeps it.
void TakeScanned(EntryFacts& into, const GameFacts& found);

// Reads the size, title and region of every file of the list into `facts` (one per line), through
// the table of titles read before; for a caller that can wait for them (kivo-tool), where the
// window reads them on a thread of its own.
void ReadListFacts(const GameList& list, const std::string& shownFolder, TitleTable& table,
                   std::vector<EntryFacts>& facts);

}  // namespace kivo::browser
