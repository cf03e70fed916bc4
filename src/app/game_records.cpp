// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/game_records.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>
#include <utility>

#include "common/error.h"
#include "common/path.h"
#include "platform/files.h"

namespace kivo::app {

namespace {

constexpr std::string_view kFileName = "kivo-games.txt";
constexpr std::string_view kFirstLine = "KIVO games 1";

// A path as one field of a line: the bytes a line or a field cannot hold, and the escape itself, as
// %XX. Every other byte, including those that are no UTF-8, stays as it is.
std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Nothing for a field that no Escape could have written (a lone or unknown escape, a NUL).
std::optional<std::string> Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\0') return std::nullopt;
    if (field[i] != '%') {
      out += field[i];
      continue;
    }
    if (i + 2 >= field.size()) return std::nullopt;
    const int high = HexDigit(field[i + 1]), low = HexDigit(field[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (out.empty()) return std::nullopt;
  return out;
}

std::optional<std::int64_t> Number(std::string_view field) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || value < 0) return std::nullopt;
  return value;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
    fields.push_back(line.substr(start, tab - start));
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace

std::string GameRecords::FileBeside(const std::string& settingsPath) {
  return common::AddBackslash(common::ExtractFileDir(settingsPath)) + std::string(kFileName);
}

GameRecords GameRecords::Load(const std::string& settingsPath) {
  std::string bytes;
  if (!platform::ReadWholeFile(FileBeside(settingsPath), bytes, kFileLimit)) return {};
  return Parse(bytes);
}

void GameRecords::Save(const std::string& settingsPath) const {
  const std::string path = FileBeside(settingsPath);
  if (!platform::WriteFileAtomic(path, Format())) throw common::KivoError("Cannot write file " + path);
}

bool GameRecords::ToggleFavourite(const std::string& settingsPath, const std::string& gamePath) {
  GameRecords records = Load(settingsPath);
  const bool starred = !records.IsFavourite(gamePath);
  if (starred) {
    records.favourites_.push_back(gamePath);
    if (records.favourites_.size() > kMaxFavourites) records.favourites_.erase(records.favourites_.begin());
  } else {
    std::erase(records.favourites_, gamePath);
  }
  records.Reindex();
  records.Save(settingsPath);
  return starred;
}

void GameRecords::RecordStart(const std::string& settingsPath, const std::string& gamePath, std::int64_t when) {
  GameRecords records = Load(settingsPath);
  PlayRecord record{gamePath, when, 1};
  if (const PlayRecord* known = records.Played(gamePath)) {
    record.starts = known->starts + 1;
    std::erase_if(records.played_, [&](const PlayRecord& r) { return r.path == gamePath; });
  }
  // Kept oldest first, so the newest start goes last and the oldest is the one dropped.
  records.played_.push_back(std::move(record));
  if (records.played_.size() > kMaxPlayRecords) records.played_.erase(records.played_.begin());
  records.Reindex();
  records.Save(settingsPath);
}

bool GameRecords::IsFavourite(std::string_view gamePath) const {
  return favouriteIndex_.contains(std::string(gamePath));
}

const PlayRecord* GameRecords::Played(std::string_view gamePath) const {
  const auto found = playedIndex_.find(std::string(gamePath));
  return found == playedIndex_.end() ? nullptr : &played_[found->second];
}

std::vector<PlayRecord> GameRecords::Recent(size_t count) const {
  std::vector<PlayRecord> recent(played_.rbegin(), played_.rbegin() + std::min(count, played_.size()));
  // The file is kept in order of starts; one edited by hand may not be.
  std::stable_sort(recent.begin(), recent.end(),
                   [](const PlayRecord& a, const PlayRecord& b) { return a.lastStart > b.lastStart; });
  return recent;
}

std::string GameRecords::Format() const {
  std::string out(kFirstLine);
  out += '\n';
  for (const std::string& path : favourites_) out += "F\t" + Escape(path) + '\n';
  for (const PlayRecord& r : played_)
    out += "P\t" + std::to_string(r.starts) + '\t' + std::to_string(r.lastStart) + '\t' + Escape(r.path) + '\n';
  return out;
}

GameRecords GameRecords::Parse(std::string_view bytes) {
  GameRecords records;
  size_t start = 0;
  bool first = true;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A file of another kind, or of a later format, is not read as this one.
    if (std::exchange(first, false)) {
      if (line != kFirstLine) return {};
      continue;
    }
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() == 2 && fields[0] == "F") {
      if (auto path = Unescape(fields[1]); path && !records.favouriteIndex_.contains(*path)) {
        records.favouriteIndex_.emplace(*path, records.favourites_.size());
        records.favourites_.push_back(std::move(*path));
      }
    } else if (fields.size() == 4 && fields[0] == "P") {
      const auto starts = Number(fields[1]), when = Number(fields[2]);
      auto path = Unescape(fields[3]);
      if (!starts || !when || !path || *starts == 0) continue;
      if (auto known = records.playedIndex_.find(*path); known != records.playedIndex_.end()) {
        records.played_[known->second] = {std::move(*path), *when, *starts};
      } else {
        records.playedIndex_.emplace(*path, records.played_.size());
        records.played_.push_back({std::move(*path), *when, *starts});
      }
    }
  }
  if (records.favourites_.size() > kMaxFavourites)
    records.favourites_.erase(records.favourites_.begin(), records.favourites_.end() - kMaxFavourites);
  if (records.played_.size() > kMaxPlayRecords)
    records.played_.erase(records.played_.begin(), records.played_.end() - kMaxPlayRecords);
  records.Reindex();
  return records;
}

void GameRecords::Reindex() {
  favouriteIndex_.clear();
  playedIndex_.clear();
  for (size_t i = 0; i < favourites_.size(); ++i) favouriteIndex_.emplace(favourites_[i], i);
  for (size_t i = 0; i < played_.size(); ++i) playedIndex_.emplace(played_[i].path, i);
}

std::int64_t SecondsNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::string IsoTime(std::int64_t seconds) {
  if (seconds <= 0) return {};
  using namespace std::chrono;
  const sys_seconds time{std::chrono::seconds(seconds)};
  const sys_days day = floor<days>(time);
  const year_month_day date(day);
  const hh_mm_ss clock(time - day);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ldZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<long>(clock.hours().count()), static_cast<long>(clock.minutes().count()),
                static_cast<long>(clock.seconds().count()));
  return text;
}

}  // namespace kivo::app
