// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kivo::app {

// When a game was last started and how often, by its full path.
struct PlayRecord {
  std::string path;
  std::int64_t lastStart = 0;  // seconds since 1970 (UTC)
  std::int64_t starts = 0;
};

// The games the user starred and the starts of every game, kept in one small file beside kivo.ini
// ("kivo-games.txt"). The window and kivo-tool both change it, so every change reads the file as
// it is now, changes it and writes it back whole and atomically: a change that cannot be written
// raises KivoError and leaves the file as it was. A game is named by its full path, byte for byte;
// what a line cannot hold (line ends, tabs, the escape character) is written escaped.
class GameRecords {
 public:
  // The records kept: beyond them the oldest starts, and the favourites starred first, are dropped,
  // so a file grown by years of play, or a hostile one, stays small to read.
  static constexpr size_t kMaxPlayRecords = 5000;
  static constexpr size_t kMaxFavourites = 5000;
  static constexpr size_t kFileLimit = 8 * 1024 * 1024;

  // Reads the file beside the settings file `settingsPath`; a missing or unreadable file holds
  // nothing.
  static GameRecords Load(const std::string& settingsPath);
  // The file's name beside the settings file.
  static std::string FileBeside(const std::string& settingsPath);

  // Stars the game, or unstars it when it was starred; writes the file and says whether it is a
  // favourite now.
  static bool ToggleFavourite(const std::string& settingsPath, const std::string& gamePath);
  // Counts a start of the game at `when` and writes the file.
  static void RecordStart(const std::string& settingsPath, const std::string& gamePath, std::int64_t when);

  bool IsFavourite(std::string_view gamePath) const;
  // The record of a game, or nothing when it was never started.
  const PlayRecord* Played(std::string_view gamePath) const;
  // The starred games in the order they were starred.
  const std::vector<std::string>& Favourites() const { return favourites_; }
  // The games started most recently, newest first, at most `count`.
  std::vector<PlayRecord> Recent(size_t count) const;

  // The file's bytes and back, for tests and the fuzzer. Parse skips a line it cannot read.
  std::string Format() const;
  static GameRecords Parse(std::string_view bytes);

 private:
  void Save(const std::string& settingsPath) const;
  void Reindex();

  std::vector<std::string> favourites_;
  std::vector<PlayRecord> played_;  // oldest start first
  std::unordered_map<std::string, size_t> favouriteIndex_;
  std::unordered_map<std::string, size_t> playedIndex_;
};

// The time now, in seconds since 1970, as starts are recorded.
std::int64_t SecondsNow();

// "2026-12-08T09:37:56Z" for a time in seconds since 1970; empty for 0.
std::string IsoTime(std::int64_t seconds);

}  // namespace kivo::app
