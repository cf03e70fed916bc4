// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/zsnesl_cfg.h"

#include <optional>

#include "common/error.h"
#include "common/path.h"
#include "launch/zsnes_cfg.h"
#include "platform/dirs.h"
#include "platform/files.h"

namespace kivo::launch {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where the value of a "key=value" line ends: at a blank or a ";" outside quotes, as the emulator
// reads it (a backslash inside quotes escapes the next byte), and at the line's end in any case,
// since the emulator reads a line at a time.
size_t ValueEnd(std::string_view line, size_t at) {
  char quote = 0;
  for (; at < line.size(); ++at) {
    char c = line[at];
    if (c == '\r' || c == '\n') break;
    if (quote != 0) {
      if (c == '\\' && at + 1 < line.size() && line[at + 1] != '\r' && line[at + 1] != '\n') {
        ++at;
      } else if (c == quote) {
        quote = 0;
      }
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (IsSpace(c) || c == ';') {
      break;
    }
  }
  return at;
}

struct KeyLine {
  std::string_view key;
  size_t valueStart;  // first byte after the blanks that follow "="
  size_t valueEnd;
};

// The key and value of a setting line; nothing for a comment, a blank line or a line without "=".
std::optional<KeyLine> ParseLine(std::string_view line) {
  size_t start = 0;
  while (start < line.size() && IsSpace(line[start])) ++start;
  if (start == line.size() || line[start] == ';') return std::nullopt;
  size_t eq = line.find('=', start);
  if (eq == std::string_view::npos) return std::nullopt;
  // A ";" before the "=" makes the rest a comment.
  if (line.substr(start, eq - start).find(';') != std::string_view::npos) return std::nullopt;
  size_t keyEnd = start;
  while (keyEnd < eq && !IsSpace(line[keyEnd])) ++keyEnd;
  size_t valueStart = eq + 1;
  while (valueStart < line.size() && IsBlank(line[valueStart])) ++valueStart;
  return KeyLine{line.substr(start, keyEnd - start), valueStart, ValueEnd(line, valueStart)};
}

// Each line with its line end, and its setting when it has one.
template <typename Visit>
void VisitLines(std::string_view bytes, Visit visit) {
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    end = end == std::string_view::npos ? bytes.size() : end + 1;
    std::string_view line = bytes.substr(start, end - start);
    start = end;
    visit(line, ParseLine(line));
  }
}

}  // namespace

std::string NativeConfigFolder(const std::string& startFolder) {
  std::optional<std::string> home = platform::EnvironmentVariable("HOME");
  if (home && platform::DirectoryExists(*home + "/.zsnes")) return *home + "/.zsnes";
  if (std::optional<std::string> xdg = platform::EnvironmentVariable("XDG_CONFIG_HOME")) return *xdg + "/zsnes";
  if (home) return *home + "/.config/zsnes";
  return startFolder;
}

std::optional<std::string> ReadCfgValue(std::string_view bytes, std::string_view key) {
  std::optional<std::string> value;
  VisitLines(bytes, [&](std::string_view line, const std::optional<KeyLine>& parsed) {
    if (parsed && parsed->key == key) value = line.substr(parsed->valueStart, parsed->valueEnd - parsed->valueStart);
  });
  return value;
}

std::string RewriteZsneslCfg(std::string_view bytes, const std::vector<NativeCfgSetting>& settings) {
  std::string out;
  out.reserve(bytes.size() + 256);
  std::vector<bool> found(settings.size(), false);
  VisitLines(bytes, [&](std::string_view line, const std::optional<KeyLine>& parsed) {
    size_t which = settings.size();
    if (parsed) {
      for (size_t i = 0; i < settings.size(); ++i) {
        if (settings[i].key == parsed->key) which = i;
      }
    }
    if (which == settings.size() || settings[which].value.find_first_of("\r\n") != std::string::npos) {
      out += line;
      return;
    }
    found[which] = true;
    out += line.substr(0, parsed->valueStart);
    out += settings[which].value;
    out += line.substr(parsed->valueEnd);
  });
  for (size_t i = 0; i < settings.size(); ++i) {
    if (found[i] || settings[i].value.find_first_of("\r\n") != std::string::npos) continue;
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += settings[i].key + "=" + settings[i].value + "\n";
  }
  return out;
}

void UpdateZsneslCfg(const std::string& path, const std::vector<NativeCfgSetting>& settings) {
  std::string bytes;
  platform::ReadStatus status = platform::ReadFile(path, bytes, kEmulatorConfigLimit);
  if (status == platform::ReadStatus::kFailed || status == platform::ReadStatus::kTooLarge) {
    throw common::KivoError("Cannot open file " + path);
  }
  if (status == platform::ReadStatus::kMissing) {
    // The emulator makes its folder on its first start; KIVO may come first.
    platform::CreateDirectoryPath(common::ExtractFileDir(path));
  }
  if (!platform::WriteFileAtomic(path, RewriteZsneslCfg(bytes, settings)))
    throw common::KivoError("Cannot create file " + path);
}

}  // namespace kivo::launch
