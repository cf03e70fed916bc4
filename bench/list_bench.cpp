// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The list's search and sort on 200,000 games: a keystroke's narrowing against Qt's own proxy model
// filtering the same captions, and a sort by title against std::sort of the same titles.
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <algorithm>
#include <string>
#include <vector>

#include "browser/entry_facts.h"
#include "browser/list_entries.h"
#include "browser/list_filter.h"
#include "browser/list_sort.h"
#include "harness.h"

using namespace kivo::browser;

namespace {

constexpr int kGames = 200000;

// Names and titles of invented games, words in varying order, so that a search text matches some
// of them at different places.
struct GameLibrary {
  ListEntries entries;
  std::vector<EntryFacts> facts;
  std::vector<std::string> captions;
  std::vector<std::string> titles;

  GameLibrary() {
    static const char* const kWords[] = {"Dragon", "Blaster", "Ocean", "Moss", "Knight", "Pocket", "Comet",
                                         "Rust",   "Lantern", "Tide",  "Cloud", "Mill",  "Iron",   "Falcon"};
    std::vector<ListEntries::Line> lines;
    for (int i = 0; i < kGames; ++i) {
      std::string caption = std::string(kWords[i % 14]) + " " + kWords[(i / 14) % 14] + " " + kWords[(i / 196) % 14] +
                            " " + std::to_string(i);
      std::string title = caption;
      std::transform(title.begin(), title.end(), title.begin(), [](unsigned char c) { return std::toupper(c); });
      lines.push_back(*entries.Keep(caption + ".smc", 4, kRomFile));
      captions.push_back(caption);
      EntryFacts f;
      f.title = title.substr(0, 21);
      titles.push_back(f.title);
      facts.push_back(std::move(f));
    }
    entries.SetLines(std::move(lines));
  }
};

const GameLibrary& Library() {
  static const GameLibrary library;
  return library;
}

constexpr const char* kTyped = "ocean mo";

void KivoFilter(benchmark::State& state) {
  const GameLibrary& library = Library();
  for (auto _ : state) benchmark::DoNotOptimize(FilterRows(library.entries, library.facts, kTyped));
}

void ProxyModelFilter(benchmark::State& state) {
  QStringList captions;
  for (const std::string& caption : Library().captions) captions << QString::fromStdString(caption);
  QStringListModel model(captions);
  QSortFilterProxyModel proxy;
  proxy.setSourceModel(&model);
  proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
  for (auto _ : state) {
    state.PauseTiming();
    proxy.setFilterFixedString(QString());
    state.ResumeTiming();
    proxy.setFilterFixedString(kTyped);
    benchmark::DoNotOptimize(proxy.rowCount());
  }
}

void KivoSortByTitle(benchmark::State& state) {
  const GameLibrary& library = Library();
  const std::vector<std::uint32_t> all = FilterRows(library.entries, library.facts, "");
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::uint32_t> rows = all;
    state.ResumeTiming();
    SortRows(rows, library.entries, library.facts, ListColumn::Title, false);
    benchmark::DoNotOptimize(rows.data());
  }
}

void SortTitles(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> titles = Library().titles;
    state.ResumeTiming();
    std::sort(titles.begin(), titles.end());
    benchmark::DoNotOptimize(titles.data());
  }
}

}  // namespace

KIVO_FIGURE("list_filter", "search: one keystroke's narrowing of 200,000 games", 0.5, KivoFilter, ProxyModelFilter);
KIVO_FIGURE("list_sort_title", "sort of 200,000 games by title", 1.2, KivoSortByTitle, SortTitles);
