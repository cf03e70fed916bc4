// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "common/path.h"

#include <algorithm>
#include <vector>

#include "common/text.h"

namespace kivo::common {

namespace {

size_t LastSeparator(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsPathSeparator(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

#ifdef _WIN32
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool StartsWithDrive(std::string_view path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':'; }
#endif

}  // namespace

bool IsPathSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

bool IsAbsolutePath(std::string_view path) {
  if (!path.empty() && IsPathSeparator(path.front())) return true;
#ifdef _WIN32
  return StartsWithDrive(path) && path.size() >= 3 && IsPathSeparator(path[2]);
#else
  return false;
#endif
}

bool IsRootPath(std::string_view path) {
  if (path.size() == 1) return IsPathSeparator(path.front());
#ifdef _WIN32
  return path.size() == 3 && StartsWithDrive(path) && IsPathSeparator(path[2]);
#else
  return false;
#endif
}

std::string NativeSeparators(std::string_view path) {
  std::string result(path);
  if constexpr (kPathSeparator == '\\') std::replace(result.begin(), result.end(), '/', '\\');
  return result;
}

std::string AddBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && !IsPathSeparator(result.back())) result += kPathSeparator;
  return result;
}

std::string ExtractFileName(std::string_view path) {
  size_t sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFileExt(std::string_view path) {
  size_t sep = LastSeparator(path);
  size_t start = sep == std::string_view::npos ? 0 : sep + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) return {};
  return std::string(path.substr(dot));
}

bool IsZipName(std::string_view fileName) { return EqualsNoCase(ExtractFileExt(fileName), ".zip"); }

std::string ExtractFileDir(std::string_view path) {
  size_t sep = LastSeparator(path);
  if (sep == std::string_view::npos) return {};
  if (IsRootPath(path.substr(0, sep + 1))) return std::string(path.substr(0, sep + 1));
  return std::string(path.substr(0, sep));
}

std::string StripFileExt(std::string_view name) {
  std::string ext = ExtractFileExt(name);
  return std::string(name.substr(0, name.size() - ext.size()));
}

std::string LexicalPath(std::string_view path) {
  // The root (a "/" or "C:\\") stays as it is; the components after it are worked through.
  size_t rootSize = 0;
  // Two separators start a network path (\\server\share) on Windows: both stay.
  if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) rootSize = 2;
  else if (!path.empty() && IsPathSeparator(path.front())) rootSize = 1;
  else if (path.size() >= 3 && IsRootPath(path.substr(0, 3))) rootSize = 3;
  else return std::string(path);
  const std::string root(path.substr(0, rootSize));
  const std::string separator = NativeSeparators("/");
  std::vector<std::string_view> parts;
  size_t start = rootSize;
  while (start <= path.size()) {
    size_t end = start;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    const std::string_view part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out = root;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  return out;
}

}  // namespace kivo::common
