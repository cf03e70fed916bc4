// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The process's current folder, folder listings and the places offered as drives.
namespace kivo::platform {

struct DirItem {
  std::string name;  // the bytes the listing returned
  bool isDirectory = false;
};

// The current folder's full path; empty when the system cannot tell (it was removed).
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);

// Every item of the folder, "." and ".." included, hidden ones too; empty when it cannot be opened.
// A link counts as a folder when it points at one.
std::vector<DirItem> ListDirectory(const std::string& path);

// The same items one at a time, in the listing's order, for a caller that keeps only some of them:
// `name` is valid during the call only, so nothing is copied that the caller does not keep. False
// when the folder cannot be opened.
bool VisitDirectory(const std::string& path, const std::function<void(std::string_view name, bool isDirectory)>& visit);

// The roots a user browses from, in path order: "/", the home folder, and mounted volumes under
// /mnt, /media and /run/media/<user>; on Windows every drive letter the system has ("C:\\", ...).
std::vector<std::string> DriveRoots();

// The user's home folder.
std::string HomeDir();

// Where a program that is not portable keeps its user's settings and its cached files, without a
// trailing separator: the XDG base folders ($XDG_CONFIG_HOME, else ~/.config; $XDG_CACHE_HOME, else
// ~/.cache; a variable holding no absolute path counts as unset), or %APPDATA% and %LOCALAPPDATA%
// on Windows.
std::string UserConfigDir();
std::string UserCacheDir();

// The user's "Saved Games" folder, where Windows games keep their settings and saves (Windows'
// known folder of that name); empty where the system has none, as on POSIX systems.
std::string SavedGamesDir();

// The value of an environment variable; nothing when it is not set (set but empty gives "").
std::optional<std::string> EnvironmentVariable(const std::string& name);

// The folder of the running program, without a trailing separator ("/" for the root itself).
std::string ExecutableDir();

}  // namespace kivo::platform
