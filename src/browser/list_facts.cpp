// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/list_facts.h"

namespace kivo::browser {

void TakeScanned(EntryFacts& into, const GameFacts& found) {
  into.size = found.size;
  into.title = found.title.title;
  into.region = found.title.region;
}

void ReadListFacts(const GameList& list, const std::string& shownFolder, TitleTable& table,
                   std::vector<EntryFacts>& facts) {
  facts.resize(list.entries.size());
  std::vector<std::string> paths;
  std::vector<size_t> rows;
  for (size_t row = 0; row < list.entries.size(); ++row) {
    if (!list.entries[row].IsFile()) continue;
    paths.push_back(list.PathOf(row, shownFolder));
    rows.push_back(row);
  }
  const std::atomic<bool> never{false};
  ScanTitles(paths, table, never, [&](size_t index, const GameFacts& found) { TakeScanned(facts[rows[index]], found); });
}

}  // namespace kivo::browser
