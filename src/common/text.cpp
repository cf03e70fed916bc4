// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "common/text.h"

#include <algorithm>
#include <cstdint>

namespace kivo::common {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerAscii(c);
  return result;
}

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

std::optional<int> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (base == 16) {
    // Hexadecimal spells the 32 bits themselves: $FFFFFFFF is -1.
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
  }
  if (negative) {
    if (value > 0x80000000ull) return std::nullopt;
    return static_cast<int>(-static_cast<int64_t>(value));
  }
  if (value > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<std::string> InterpreterWord(const std::string& word) {
  if (word.find_first_of("\"%!\r\n") != std::string::npos) return std::nullopt;
  if (!word.empty() && word.find_first_of(" \t&|<>^(),;=") == std::string::npos) return word;
  return "\"" + word + "\"";
}

std::optional<std::string> InterpreterLine(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    const std::optional<std::string> quoted = InterpreterWord(word);
    if (!quoted) return std::nullopt;
    line += (line.empty() ? "" : " ") + *quoted;
  }
  return line;
}

std::string SystemQuoted(const std::vector<std::string>& words) {
#ifdef _WIN32
  if (std::optional<std::string> line = InterpreterLine(words)) return *line;
  std::string line;
  for (const std::string& word : words) line += (line.empty() ? "\"" : " \"") + word + "\"";
  return line;
#else
  return ShellQuoted(words);
#endif
}

std::string ShellQuoted(const std::vector<std::string>& words) {
  constexpr std::string_view kLiteral = "/._+,-=:@%";
  auto literal = [&](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           kLiteral.find(c) != std::string_view::npos;
  };
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty()) line += ' ';
    if (!word.empty() && std::all_of(word.begin(), word.end(), literal)) {
      line += word;
      continue;
    }
    line += '\'';
    for (char c : word) {
      if (c == '\'') {
        line += "'\\''";
      } else {
        line += c;
      }
    }
    line += '\'';
  }
  return line;
}

}  // namespace kivo::common
