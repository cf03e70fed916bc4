// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/title_table.h"

#include <array>
#include <charconv>
#include <iterator>
#include <optional>
#include <utility>

#include "common/path.h"
#include "platform/files.h"

namespace kivo::browser {

namespace {

constexpr char kSeparator = '\t';
constexpr size_t kFieldCount = 5;  // path, size, modified, region, title

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
}

// Nothing for a text that AppendEscaped cannot have written: an unknown or lone escape, a raw CR.
std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') return std::nullopt;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

// A decimal number as std::to_string writes it, and nothing else.
std::optional<std::int64_t> Integer(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || text[0] == '+') return std::nullopt;
  return value;
}

std::string FormatLine(const TitleLine& line) {
  std::string out;
  out.reserve(line.path.size() + line.record.title.title.size() + 48);
  AppendEscaped(out, line.path);
  out += kSeparator;
  out += std::to_string(line.record.size);
  out += kSeparator;
  out += std::to_string(line.record.modified);
  out += kSeparator;
  AppendEscaped(out, line.record.title.region);
  out += kSeparator;
  AppendEscaped(out, line.record.title.title);
  out += '\n';
  return out;
}

// A line without its LF; nothing when it is no whole record.
std::optional<TitleLine> ParseLine(std::string_view text) {
  std::array<std::string_view, kFieldCount> fields;
  size_t count = 0;
  for (size_t start = 0;;) {
    if (count == kFieldCount) return std::nullopt;  // a field too many
    const size_t tab = text.find(kSeparator, start);
    fields[count++] = text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (count != kFieldCount) return std::nullopt;
  std::optional<std::string> path = Unescaped(fields[0]), region = Unescaped(fields[3]), title = Unescaped(fields[4]);
  const std::optional<std::int64_t> size = Integer(fields[1]), modified = Integer(fields[2]);
  if (!path || path->empty() || !size || *size < 0 || !modified || !region || !title) return std::nullopt;
  return TitleLine{std::move(*path),
                   TitleRecord{*size, *modified, rom::RomTitle{std::move(*title), std::move(*region)}}};
}

}  // namespace

TitleTable::TitleTable(std::string path) : path_(std::move(path)) {
  std::string bytes;
  if (platform::ReadFile(path_, bytes, kMaxFileBytes) != platform::ReadStatus::kRead) return;
  for (TitleLine& line : Parse(bytes)) Insert(std::move(line));
}

const TitleRecord* TitleTable::Find(std::string_view path, std::int64_t size, std::int64_t modified) const {
  const auto found = index_.find(path);
  if (found == index_.end()) return nullptr;
  const TitleRecord& record = found->second->record;
  return record.size == size && record.modified == modified ? &record : nullptr;
}

void TitleTable::Put(std::string path, TitleRecord record) {
  if (path.empty()) return;
  const auto found = index_.find(path);
  if (found != index_.end() && found->second->record == record) return;
  Insert(TitleLine{std::move(path), std::move(record)});
  changed_ = true;
}

void TitleTable::Insert(TitleLine line) {
  if (const auto found = index_.find(line.path); found != index_.end()) {
    // The node moves to the newest end and keeps its path, which its key views.
    found->second->record = std::move(line.record);
    lines_.splice(lines_.end(), lines_, found->second);
    return;
  }
  lines_.push_back(std::move(line));
  const auto added = std::prev(lines_.end());
  index_.emplace(added->path, added);
  if (lines_.size() > kMaxRecords) {
    index_.erase(lines_.front().path);
    lines_.pop_front();
  }
}

bool TitleTable::Save() {
  platform::CreateDirectoryPath(common::ExtractFileDir(path_));
  if (!platform::WriteFileAtomic(path_, Format(Lines()))) return false;
  changed_ = false;
  return true;
}

std::vector<TitleLine> TitleTable::Lines() const { return {lines_.begin(), lines_.end()}; }

std::string TitleTable::Format(const std::vector<TitleLine>& lines) {
  std::vector<std::string> formatted;
  size_t bytes = 0;
  // The newest lines are kept: taken from the end while they fit.
  for (auto line = lines.rbegin(); line != lines.rend() && formatted.size() < kMaxRecords; ++line) {
    std::string text = FormatLine(*line);
    if (bytes + text.size() > kMaxFileBytes) break;
    bytes += text.size();
    formatted.push_back(std::move(text));
  }
  std::string out;
  out.reserve(bytes);
  for (auto text = formatted.rbegin(); text != formatted.rend(); ++text) out += *text;
  return out;
}

std::vector<TitleLine> TitleTable::Parse(std::string_view bytes) {
  // Only the last kMaxRecords lines can be kept: parsing starts there, whatever the file's length.
  size_t start = 0;
  size_t ends = 0;
  for (size_t at = bytes.size(); at > 0; --at) {
    if (bytes[at - 1] == '\n' && ++ends > kMaxRecords) {
      start = at;
      break;
    }
  }
  std::vector<TitleLine> lines;
  // A last line without its LF was cut short, and is skipped with the damaged ones.
  for (size_t end; (end = bytes.find('\n', start)) != std::string_view::npos; start = end + 1) {
    if (std::optional<TitleLine> line = ParseLine(bytes.substr(start, end - start))) lines.push_back(std::move(*line));
  }
  return lines;
}

}  // namespace kivo::browser
