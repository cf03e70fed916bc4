// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/list_sort.h"

#include <algorithm>
#include <string_view>

#include "browser/ascii_fold.h"

namespace kivo::browser {

namespace {

// Byte order with ASCII letter case ignored. Titles are mostly written in one case, so bytes are
// folded only where they differ.
int CompareFolded(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (a[i] == b[i]) continue;
    const auto x = static_cast<unsigned char>(FoldAscii(a[i])), y = static_cast<unsigned char>(FoldAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A text column: an empty text after every other, whichever the direction.
int CompareText(std::string_view a, std::string_view b, bool descending) {
  if (a.empty() != b.empty()) return a.empty() ? 1 : -1;
  const int order = CompareFolded(a, b);
  return descending ? -order : order;
}

template <typename T>
int CompareValue(T a, T b, bool descending) {
  const int order = a == b ? 0 : (a < b ? -1 : 1);
  return descending ? -order : order;
}

}  // namespace

void SortRows(std::vector<std::uint32_t>& rows, const ListEntries& entries, const std::vector<EntryFacts>& facts,
              ListColumn column, bool descending) {
  // The lines that are no file come first in every list; they keep their places.
  const auto files = std::stable_partition(rows.begin(), rows.end(),
                                           [&](std::uint32_t row) { return !entries[row].IsFile(); });
  static const EntryFacts kUnknown;
  auto factsOf = [&](std::uint32_t row) -> const EntryFacts& { return row < facts.size() ? facts[row] : kUnknown; };
  auto compare = [&](std::uint32_t a, std::uint32_t b) -> int {
    switch (column) {
      case ListColumn::Name:
        return CompareValue(a, b, descending);
      case ListColumn::Title:
        return CompareText(factsOf(a).title, factsOf(b).title, descending);
      case ListColumn::Region:
        return CompareText(factsOf(a).region, factsOf(b).region, descending);
      case ListColumn::Size:
        return CompareValue(factsOf(a).size, factsOf(b).size, descending);
      case ListColumn::Type:
        return CompareValue(entries[a].kind >= kZipArchive, entries[b].kind >= kZipArchive, descending);
      case ListColumn::LastPlayed:
        return CompareValue(factsOf(a).lastStart, factsOf(b).lastStart, descending);
      case ListColumn::Played:
        return CompareValue(factsOf(a).starts, factsOf(b).starts, descending);
    }
    return 0;
  };
  // Ties fall back on the row, which is the list's own order: the order is strict, so std::sort
  // gives what a stable sort would.
  std::sort(files, rows.end(), [&](std::uint32_t a, std::uint32_t b) {
    const int order = compare(a, b);
    return order != 0 ? order < 0 : a < b;
  });
}

}  // namespace kivo::browser
