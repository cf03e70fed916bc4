// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/configs_filter.h"

#include <cstring>

#include "app/ini_document.h"
#include "app/options.h"
#include "browser/ascii_fold.h"
#include "common/text.h"

namespace kivo::browser {

namespace {

// Eight bytes of `name` from `from` on (fewer at its end, padded with zero bytes), lower-cased, as
// one number.
std::uint64_t FoldedWord(std::string_view name, size_t from) {
  std::uint64_t word = 0;
  if (name.size() - from >= 8) {
    std::memcpy(&word, name.data() + from, 8);  // one load
  } else {
    std::memcpy(&word, name.data() + from, name.size() - from);
  }
  return FoldAscii8(word);
}

// The line from `begin` to its line feed (or the end of the text), a CR before the line feed
// excluded, as the settings' reader splits lines; `next` is where the following line begins.
std::string_view LineAt(std::string_view text, size_t begin, size_t& next) {
  size_t newline = text.find('\n', begin);
  next = newline == std::string_view::npos ? text.size() : newline + 1;
  size_t end = newline == std::string_view::npos ? text.size() : newline;
  if (end > begin && text[end - 1] == '\r') --end;
  return text.substr(begin, end - begin);
}

// The section a header line names, as the settings' reader takes it: inside the brackets, up to
// the last "]", trimmed.
std::string_view HeaderName(std::string_view header) {
  std::string_view trimmed = common::TrimBlanks(header);
  size_t close = trimmed.rfind(']');
  return common::TrimBlanks(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
}

bool IsHeader(std::string_view line) {
  std::string_view trimmed = common::TrimBlanks(line);
  return !trimmed.empty() && trimmed.front() == '[';
}

// Calls `visit` with the key of every key line of every section called Configs. The settings'
// reader uses the first such section only; taking them all can only let more names through.
template <typename Visit>
void ForEachConfigsKey(std::string_view text, const Visit& visit) {
  // A header is a line whose first byte other than blanks is "[", so looking at each "[" finds them
  // without walking the thousands of lines of the games' own sections.
  for (size_t open = text.find('['); open != std::string_view::npos; open = text.find('[', open + 1)) {
    size_t lineBegin = open;
    while (lineBegin > 0 && (text[lineBegin - 1] == ' ' || text[lineBegin - 1] == '\t')) --lineBegin;
    if (lineBegin > 0 && text[lineBegin - 1] != '\n') continue;
    size_t next = 0;
    if (!common::EqualsNoCase(HeaderName(LineAt(text, lineBegin, next)), app::section::Configs)) continue;
    size_t pos = next;
    for (size_t after = 0; pos < text.size(); pos = after) {
      std::string_view line = LineAt(text, pos, after);
      if (IsHeader(line)) break;
      size_t equals = line.find('=');
      if (equals != std::string_view::npos) visit(common::TrimBlanks(line.substr(0, equals)));
    }
    open = pos - 1;  // the search goes on with the header that ended the section
  }
}

}  // namespace

ConfigsFilter::ConfigsFilter(std::string_view iniBytes) {
  const std::string_view text = app::IniDocument::TextOf(iniBytes);
  // About sixty-four slots a key: few names that are not keys land on a key's slot, and a table
  // for thousands of keys still fits the processor's cache. Past a quarter of a million keys (two
  // megabytes of table) more names get through, which costs time, not correctness.
  size_t keys = 0;
  ForEachConfigsKey(text, [&keys](std::string_view) { ++keys; });
  slotBits_ = 6;
  while ((size_t{1} << slotBits_) < keys * 64 && slotBits_ < 24) ++slotBits_;
  bits_.assign((size_t{1} << slotBits_) / 64, 0);
  ForEachConfigsKey(text, [this](std::string_view key) { Add(key); });
}

size_t ConfigsFilter::Slot(std::string_view name) const {
  // Names in a collection differ anywhere ("Super Mario World (U)", "Super Mario Kart (U)", "Super
  // Mario World (E)"), so every byte counts: eight at a time, the last word ending at the name's end.
  constexpr std::uint64_t kFactor = 0x9E3779B97F4A7C15u;  // Fibonacci hashing: top bits depend on every bit
  std::uint64_t hash = (name.size() + 1) * kFactor;
  size_t at = 0;
  for (; at + 8 <= name.size(); at += 8) hash = (hash ^ FoldedWord(name, at)) * kFactor;
  if (at < name.size()) hash = (hash ^ FoldedWord(name, name.size() >= 8 ? name.size() - 8 : 0)) * kFactor;
  return static_cast<size_t>(hash >> (64 - slotBits_));
}

void ConfigsFilter::Add(std::string_view key) {
  size_t slot = Slot(key);
  bits_[slot / 64] |= std::uint64_t{1} << (slot % 64);
}

bool ConfigsFilter::MayHold(std::string_view name) const {
  size_t slot = Slot(name);
  return (bits_[slot / 64] >> (slot % 64)) & 1;
}

}  // namespace kivo::browser
