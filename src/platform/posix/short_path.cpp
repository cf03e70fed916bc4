// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "common/path.h"
#include "common/text.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "platform/short_path.h"

namespace kivo::platform {
namespace {

// Highest alias number tried for one name before giving up.
constexpr int kMaxAliasNumber = 99999;

bool IsSafeByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("/._+,-~").find(c) != std::string_view::npos;
}

// The link's target, or nothing when the path is no link (or is missing).
bool ReadLink(const std::string& path, std::string& target) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return false;
  // The size lstat reports can be stale or zero (some file systems); grow until the target fits.
  std::string buffer(st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 256, '\0');
  for (;;) {
    ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return false;
    if (static_cast<size_t>(n) < buffer.size()) {
      target.assign(buffer.data(), static_cast<size_t>(n));
      return true;
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

bool IsCommandLineSafe(const std::string& path) {
  for (char c : path) {
    if (!IsSafeByte(c)) return false;
  }
  return true;
}

std::string ShortPathName(const std::string& path, const std::string& aliasFolder) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
  if (IsCommandLineSafe(path)) return path;
  return ShortAlias(path, aliasFolder);
}

std::string ShortAlias(const std::string& path, const std::string& aliasFolder) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
  std::string target = path.front() == '/' ? path : common::AddBackslash(GetCurrentDir()) + path;
  while (target.size() > 1 && target.back() == '/') target.pop_back();
  if (aliasFolder.empty()) return {};
  ::mkdir(aliasFolder.c_str(), 0777);
  if (!DirectoryExists(aliasFolder)) return {};

  std::string fileName = common::ExtractFileName(target);
  int attemptsAtSameNumber = 0;
  for (int n = 1; n <= kMaxAliasNumber;) {
    std::string alias = common::AddBackslash(aliasFolder) + ShortAliasName(fileName, n);
    std::string existing;
    if (ReadLink(alias, existing)) {
      if (existing == target) return alias;
      ++n;
      continue;
    }
    if (Exists(alias)) {
      ++n;
      continue;
    }
    if (::symlink(target.c_str(), alias.c_str()) == 0) return alias;
    // Another launch may have taken the name just now, perhaps for this very target: look again.
    if (errno != EEXIST || ++attemptsAtSameNumber > 3) return {};
  }
  return {};
}

bool AnsiCodePageHolds(const std::string&) { return true; }

}  // namespace kivo::platform
