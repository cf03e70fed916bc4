// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/dirs.h"

#include "platform/win32/file_io.h"
#include "platform/win32/filled_string.h"
#include "platform/win32/wide.h"
#include "platform/win32/win_path.h"
#include "platform/win32/windows_api.h"

#include <shlobj.h>

namespace kivo::platform {
namespace {

// A known folder of the user's. SHGetFolderPathW rather than SHGetKnownFolderPath, whose result
// would have to be freed through ole32, which nothing else here needs; it asks the same folder.
std::string ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  return win32::WideToUtf8(path);
}

// A folder named by an environment variable, which counts only when it holds an absolute path;
// else the shell's folder, else `underHome` below the home folder.
std::string UserFolder(const char* variable, int csidl, const char* underHome) {
  const std::optional<std::string> set = EnvironmentVariable(variable);
  if (set && win32::IsAbsolute(win32::WidePath(*set))) return *set;
  std::string folder = ShellFolder(csidl);
  return folder.empty() ? win32::WideToUtf8(win32::JoinPath(win32::WidePath(HomeDir()), win32::WidePath(underHome)))
                        : folder;
}

}  // namespace

std::string GetCurrentDir() {
  return win32::WideToUtf8(
      win32::FilledString([](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); }));
}

bool SetCurrentDir(const std::string& path) {
  return !path.empty() && ::SetCurrentDirectoryW(win32::WidePath(path).c_str()) != 0;
}

bool VisitDirectory(const std::string& path,
                    const std::function<void(std::string_view name, bool isDirectory)>& visit) {
  const std::wstring folder = path.empty() ? std::wstring(L".") : win32::WidePath(path);
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileExW(win32::JoinPath(folder, L"*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  // A drive's root holds no "." and "..": an empty one matches nothing, which is no failure.
  if (search == INVALID_HANDLE_VALUE) {
    const std::optional<win32::FileFacts> facts =
        ::GetLastError() == ERROR_FILE_NOT_FOUND ? win32::FactsOf(folder) : std::nullopt;
    return facts && facts->IsFolder();
  }
  std::string name;
  do {
    bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A link to a folder (a junction, a folder symbolic link) is listed as it is found, never
    // entered; it counts as a folder when what it names is one.
    if (isDirectory && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      const std::optional<win32::FileFacts> named = win32::FactsOf(win32::JoinPath(folder, found.cFileName));
      isDirectory = named && named->IsFolder();
    }
    name = win32::WideToUtf8(found.cFileName);
    visit(name, isDirectory);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return true;
}

std::string HomeDir() {
  if (std::optional<std::string> profile = EnvironmentVariable("USERPROFILE"); profile && !profile->empty()) {
    return *profile;
  }
  if (std::string profile = ShellFolder(CSIDL_PROFILE); !profile.empty()) return profile;
  const std::optional<std::string> drive = EnvironmentVariable("SystemDrive");
  return (drive && !drive->empty() ? *drive : std::string("C:")) + "\\";
}

std::string UserConfigDir() { return UserFolder("APPDATA", CSIDL_APPDATA, "AppData\\Roaming"); }

std::string UserCacheDir() { return UserFolder("LOCALAPPDATA", CSIDL_LOCAL_APPDATA, "AppData\\Local"); }

std::string SavedGamesDir() {
  PWSTR path = nullptr;
  std::string folder;
  if (::SHGetKnownFolderPath(FOLDERID_SavedGames, KF_FLAG_DONT_VERIFY, nullptr, &path) == S_OK) {
    folder = win32::WideToUtf8(path);
  }
  ::CoTaskMemFree(path);  // also when the call failed, which may have set it
  return folder;
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  const std::wstring wideName = win32::Utf8ToWide(name);
  // A variable set to "" gives 0 as a missing one does; only the error tells them apart.
  ::SetLastError(ERROR_SUCCESS);
  const std::wstring value = win32::FilledString(
      [&wideName](wchar_t* buffer, DWORD size) { return ::GetEnvironmentVariableW(wideName.c_str(), buffer, size); });
  if (value.empty() && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  return win32::WideToUtf8(value);
}

// Every drive letter the system has, "C:\" and the like, in letter order.
std::vector<std::string> DriveRoots() {
  std::vector<std::string> roots;
  const DWORD drives = ::GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if ((drives & (DWORD{1} << letter)) != 0) roots.push_back(std::string(1, static_cast<char>('A' + letter)) + ":\\");
  }
  return roots;
}

std::string ExecutableDir() {
  const std::wstring program = win32::FilledString([](wchar_t* buffer, DWORD size) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer, size);
    return n == size ? size : n;  // a cut name fills the whole buffer: ask for a larger one
  });
  if (program.empty()) return GetCurrentDir();
  return win32::WideToUtf8(win32::ParentOf(program));
}

}  // namespace kivo::platform
