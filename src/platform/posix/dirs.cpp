// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"

namespace kivo::platform {
namespace {

void AddSubfolders(const std::string& parent, std::vector<std::string>& roots) {
  for (const DirItem& item : ListDirectory(parent)) {
    if (item.isDirectory && item.name != "." && item.name != "..")
      roots.push_back(common::AddBackslash(parent) + item.name);
  }
}

}  // namespace

std::string GetCurrentDir() {
  std::string buffer(PATH_MAX, '\0');
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return {};
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return buffer;
}

bool SetCurrentDir(const std::string& path) { return !path.empty() && ::chdir(path.c_str()) == 0; }

bool VisitDirectory(const std::string& path,
                    const std::function<void(std::string_view name, bool isDirectory)>& visit) {
  DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
  if (dir == nullptr) return false;
  int dirFd = ::dirfd(dir);
  while (dirent* entry = ::readdir(dir)) {
    bool isDirectory = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat st {};
      isDirectory = ::fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
    }
    visit(entry->d_name, isDirectory);
  }
  ::closedir(dir);
  return true;
}

std::string HomeDir() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
  return "/";
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

namespace {

// An XDG base folder: the variable when it holds an absolute path, the usual place under home else.
std::string BaseFolder(const char* variable, const char* underHome) {
  std::optional<std::string> set = EnvironmentVariable(variable);
  if (set && !set->empty() && set->front() == '/') return *set;
  return common::AddBackslash(HomeDir()) + underHome;
}

}  // namespace

std::string UserConfigDir() { return BaseFolder("XDG_CONFIG_HOME", ".config"); }

std::string UserCacheDir() { return BaseFolder("XDG_CACHE_HOME", ".cache"); }

std::string SavedGamesDir() { return {}; }

std::vector<std::string> DriveRoots() {
  std::vector<std::string> roots{"/"};
  std::string home = HomeDir();
  if (home != "/" && DirectoryExists(home)) roots.push_back(home);
  AddSubfolders("/mnt", roots);
  AddSubfolders("/media", roots);
  // Desktop systems mount removable media per user under /run/media/<user>/.
  std::vector<std::string> users;
  AddSubfolders("/run/media", users);
  for (const std::string& user : users) AddSubfolders(user, roots);
  std::sort(roots.begin() + 1, roots.end());
  roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
  return roots;
}

std::string ExecutableDir() {
  std::string buffer(PATH_MAX, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0) return GetCurrentDir();
  buffer.resize(static_cast<size_t>(n));
  return common::ExtractFileDir(buffer);
}

}  // namespace kivo::platform
