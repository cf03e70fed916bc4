// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/list_sort.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "browser/ascii_fold.h"

namespace kivo::browser {

namespace {

template <typename T>
int CompareValue(T a, T b, bool descending) {
  const int order = a == b ? 0 : (a < b ? -1 : 1);
  return descending ? -order : order;
}

// A text column: each text folded once into one buffer, and the rows sorted beside their texts, so
// a comparison looks at bytes side by side (as std::sort of the texts themselves does) instead of
// folding and looking rows up at every step.
void SortByText(std::vector<std::uint32_t>::iterator first, std::vector<std::uint32_t>::iterator last,
                const std::vector<EntryFacts>& facts, ListColumn column, bool descending) {
  static const std::string kNone;
  std::string folded;
  struct Keyed {
    std::string_view text;
    std::uint32_t row;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(static_cast<size_t>(last - first));
  std::vector<std::pair<size_t, size_t>> spans;
  spans.reserve(keyed.capacity());
  for (auto it = first; it != last; ++it) {
    const std::string& text =
        *it >= facts.size() ? kNone : (column == ListColumn::Title ? facts[*it].title : facts[*it].region);
    spans.emplace_back(folded.size(), text.size());
    for (const char c : text) folded += FoldAscii(c);
  }
  for (size_t i = 0; i < spans.size(); ++i)
    keyed.push_back({std::string_view(folded).substr(spans[i].first, spans[i].second), first[static_cast<std::ptrdiff_t>(i)]});
  std::sort(keyed.begin(), keyed.end(), [descending](const Keyed& a, const Keyed& b) {
    // No text yet: after every other, whichever the direction.
    if (a.text.empty() != b.text.empty()) return b.text.empty();
    const int order = a.text.compare(b.text);
    if (order != 0) return descending ? order > 0 : order < 0;
    return a.row < b.row;
  });
  for (const Keyed& k : keyed) *first++ = k.row;
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
      case ListColumn::Region:
        return 0;  // sorted by SortByText
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
  if (column == ListColumn::Title || column == ListColumn::Region) {
    SortByText(files, rows.end(), facts, column, descending);
    return;
  }
  // Ties fall back on the row, which is the list's own order: the order is strict, so std::sort
  // gives what a stable sort would.
  std::sort(files, rows.end(), [&](std::uint32_t a, std::uint32_t b) {
    const int order = compare(a, b);
    return order != 0 ? order < 0 : a < b;
  });
}

}  // namespace kivo::browser
