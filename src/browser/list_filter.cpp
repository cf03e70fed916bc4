// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/list_filter.h"

#include <numeric>
#include <string>

#include "browser/ascii_fold.h"

namespace kivo::browser {

bool ContainsFolded(std::string_view text, std::string_view foldedNeedle) {
  if (foldedNeedle.empty()) return true;
  if (text.size() < foldedNeedle.size()) return false;
  // The first byte is looked for in both cases at once; only where it occurs is the rest compared.
  const char first = foldedNeedle.front();
  const char firstUpper = (first >= 'a' && first <= 'z') ? static_cast<char>(first - 'a' + 'A') : first;
  const size_t last = text.size() - foldedNeedle.size();
  for (size_t at = 0; at <= last; ++at) {
    if (text[at] != first && text[at] != firstUpper) continue;
    size_t i = 1;
    while (i < foldedNeedle.size() && FoldAscii(text[at + i]) == foldedNeedle[i]) ++i;
    if (i == foldedNeedle.size()) return true;
  }
  return false;
}

std::vector<std::uint32_t> FilterRows(const ListEntries& entries, const std::vector<EntryFacts>& facts,
                                      std::string_view text) {
  std::string needle(text);
  for (char& c : needle) c = FoldAscii(c);
  std::vector<std::uint32_t> rows;
  if (needle.empty()) {
    // No search: every line, in the list's order.
    rows.resize(entries.size());
    std::iota(rows.begin(), rows.end(), 0u);
    return rows;
  }
  rows.reserve(entries.size() / 8);
  for (size_t row = 0; row < entries.size(); ++row) {
    const ListEntry entry = entries[row];
    if (!entry.IsFile() || ContainsFolded(entry.fileName, needle) ||
        (row < facts.size() && ContainsFolded(facts[row].title, needle)))
      rows.push_back(static_cast<std::uint32_t>(row));
  }
  return rows;
}

}  // namespace kivo::browser
