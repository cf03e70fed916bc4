// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/game_records.h"
#include "app/ini_document.h"
#include "browser/entry_facts.h"
#include "browser/list_entries.h"

namespace kivo::browser {

// What the list shows: a folder, or one of the two lists gathered from every folder.
enum class ListSource { Folder, Favourites, RecentlyPlayed };

inline constexpr std::string_view kFavouritesCaption = "Favourites";
inline constexpr std::string_view kRecentlyPlayedCaption = "Recently played";
// The starts "Recently played" lists.
inline constexpr size_t kRecentShown = 50;

// The lines of the list and, for a gathered list, where each of its games lies.
struct GameList {
  ListSource source = ListSource::Folder;
  ListEntries entries;
  // Per line: the folder of a game of a gathered list; empty for every line of a folder's own
  // listing, whose files lie in the folder shown.
  std::vector<std::string> folders;

  // The full path of a file's line, `shownFolder` being the folder the list was made for.
  std::string PathOf(size_t row, const std::string& shownFolder) const;
  // The folder a line's file lies in.
  std::string FolderOf(size_t row, const std::string& shownFolder) const;
};

// A folder's list: the two gathered lists' lines at the top, then what ScanFolder lists.
GameList ListFolder(const std::vector<std::string>& driveRoots, const std::string& folder,
                    const app::IniDocument& settings);

// A gathered list: the two lists' lines, the drives, ".." back to the folder shown before, then the
// games that still exist: the favourites by name, or the last kRecentShown starts, newest first.
// A game is marked as having a configuration as a folder's listing marks it.
GameList ListGathered(ListSource source, const std::vector<std::string>& driveRoots, const app::GameRecords& records,
                      const app::IniDocument& settings);

// The facts the game records hold for each line: star, starts, last start; none at all when the
// records hold no game.
std::vector<EntryFacts> RecordFacts(const GameList& list, const std::string& shownFolder,
                                    const app::GameRecords& records);

// The text each line shows as its name: the caption, or the whole file name where another file of
// the list has the same caption (Game.smc beside Game.zip), ASCII letter case ignored.
std::vector<bool> CaptionsShared(const GameList& list);
// The same for lines in no known order.
std::vector<bool> CaptionsShared(const ListEntries& entries);
// The same for one line of a folder's listing, whose files alike are neighbours: asked line by
// line, a view pays only for the lines it shows.
bool NeighbourSharesCaption(const ListEntries& entries, size_t row);

}  // namespace kivo::browser
