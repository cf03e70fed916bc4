// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/game_lists.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>

#include "app/options.h"
#include "app/settings_file.h"
#include "browser/ascii_fold.h"
#include "browser/folder_scan.h"
#include "browser/list_order.h"
#include "common/path.h"
#include "platform/files.h"

namespace kivo::browser {

namespace {

// Keeps the two gathered lists' lines in `entries`, for the top of its list.
std::vector<ListEntries::Line> GatheredListLines(ListEntries& entries) {
  std::vector<ListEntries::Line> lines;
  for (const auto& [caption, kind] : {std::pair{kFavouritesCaption, kFavourites},
                                      std::pair{kRecentlyPlayedCaption, kRecentlyPlayed}}) {
    if (std::optional<ListEntries::Line> line = entries.Keep(caption, 0, kind)) lines.push_back(*line);
  }
  return lines;
}

// The games of a gathered list, by full path, in the list's order.
std::vector<std::string> GatheredPaths(ListSource source, const app::GameRecords& records) {
  std::vector<std::string> paths;
  if (source == ListSource::RecentlyPlayed) {
    for (app::PlayRecord& record : records.Recent(kRecentShown)) paths.push_back(std::move(record.path));
  } else {
    paths = records.Favourites();
  }
  return paths;
}

}  // namespace

std::string GameList::FolderOf(size_t row, const std::string& shownFolder) const {
  return row < folders.size() && !folders[row].empty() ? folders[row] : shownFolder;
}

std::string GameList::PathOf(size_t row, const std::string& shownFolder) const {
  return common::AddBackslash(FolderOf(row, shownFolder)) + std::string(entries[row].fileName);
}

GameList ListFolder(const std::vector<std::string>& driveRoots, const std::string& folder,
                    const app::IniDocument& settings) {
  GameList list;
  list.entries = ScanFolder(driveRoots, folder, settings);
  list.entries.InsertLines(0, GatheredListLines(list.entries));
  return list;
}

GameList ListGathered(ListSource source, const std::vector<std::string>& driveRoots, const app::GameRecords& records,
                      const app::IniDocument& settings) {
  GameList list;
  list.source = source;
  std::vector<ListEntries::Line> lines = GatheredListLines(list.entries);
  for (const std::string& root : driveRoots) {
    if (std::optional<ListEntries::Line> line = list.entries.Keep(root, 0, kDrive)) lines.push_back(*line);
  }
  if (std::optional<ListEntries::Line> line = list.entries.Keep("..", 0, kFolder)) lines.push_back(*line);
  const size_t firstGame = lines.size();
  std::vector<std::string> gameFolders;
  for (const std::string& path : GatheredPaths(source, records)) {
    // A game removed or renamed since is no longer offered; its record stays.
    if (!platform::FileExists(path)) continue;
    const std::string name = common::ExtractFileName(path);
    const std::string extension = common::ExtractFileExt(name);
    const std::string caption = name.substr(0, name.size() - extension.size());
    int kind = common::IsZipName(name) ? kZipArchive : kRomFile;
    if (app::ReadIniBool(settings, app::section::Configs, caption, false)) kind += 1;
    const std::optional<ListEntries::Line> line = list.entries.Keep(name, extension.size(), kind);
    if (!line) continue;
    lines.push_back(*line);
    gameFolders.push_back(common::ExtractFileDir(path));
  }
  if (source == ListSource::Favourites) {
    // By name, as a folder lists its games; the folders move with their lines.
    std::vector<size_t> order(gameFolders.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return ListEntryLess(list.entries.Entry(lines[firstGame + a]), list.entries.Entry(lines[firstGame + b]));
    });
    std::vector<ListEntries::Line> games;
    std::vector<std::string> folders;
    for (size_t i : order) {
      games.push_back(lines[firstGame + i]);
      folders.push_back(std::move(gameFolders[i]));
    }
    std::copy(games.begin(), games.end(), lines.begin() + static_cast<std::ptrdiff_t>(firstGame));
    gameFolders = std::move(folders);
  }
  list.folders.assign(firstGame, std::string());
  list.folders.insert(list.folders.end(), gameFolders.begin(), gameFolders.end());
  list.entries.SetLines(std::move(lines));
  return list;
}

std::vector<EntryFacts> RecordFacts(const GameList& list, const std::string& shownFolder,
                                    const app::GameRecords& records) {
  // Most folders hold no game ever starred or started: they get no facts until titles come.
  std::vector<EntryFacts> facts;
  if (records.Favourites().empty() && records.Recent(1).empty()) return facts;
  facts.resize(list.entries.size());
  for (size_t row = 0; row < list.entries.size(); ++row) {
    if (!list.entries[row].IsFile()) continue;
    const std::string path = list.PathOf(row, shownFolder);
    facts[row].favourite = records.IsFavourite(path);
    if (const app::PlayRecord* played = records.Played(path)) {
      facts[row].lastStart = played->lastStart;
      facts[row].starts = played->starts;
    }
  }
  return facts;
}

std::vector<bool> CaptionsShared(const GameList& list) {
  const ListEntries& entries = list.entries;
  std::vector<bool> shared(entries.size(), false);
  auto folded = [&](size_t row) {
    std::string text(entries[row].caption);
    for (char& c : text) c = FoldAscii(c);
    return text;
  };
  if (list.source == ListSource::Folder) {
    for (size_t row = 0; row < entries.size(); ++row) shared[row] = NeighbourSharesCaption(entries, row);
    return shared;
  }
  std::unordered_map<std::string, int> counts;
  for (size_t row = 0; row < entries.size(); ++row)
    if (entries[row].IsFile()) ++counts[folded(row)];
  for (size_t row = 0; row < entries.size(); ++row)
    if (entries[row].IsFile()) shared[row] = counts[folded(row)] > 1;
  return shared;
}

bool NeighbourSharesCaption(const ListEntries& entries, size_t row) {
  // A folder's files are in the order of their lower-cased captions: files alike are neighbours.
  const ListEntry entry = entries[row];
  if (!entry.IsFile()) return false;
  auto alike = [&](size_t other) {
    const ListEntry neighbour = entries[other];
    return neighbour.IsFile() && neighbour.caption.size() == entry.caption.size() &&
           std::equal(entry.caption.begin(), entry.caption.end(), neighbour.caption.begin(),
                      [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
  };
  return (row > 0 && alike(row - 1)) || (row + 1 < entries.size() && alike(row + 1));
}

std::vector<bool> CaptionsShared(const ListEntries& entries) {
  GameList gathered;
  gathered.source = ListSource::Favourites;
  gathered.entries = entries;
  return CaptionsShared(gathered);
}

}  // namespace kivo::browser
