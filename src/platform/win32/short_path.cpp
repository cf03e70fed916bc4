// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/short_path.h"

#include <atomic>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/path.h"
#include "common/text.h"
#include "platform/win32/file_io.h"
#include "platform/win32/filled_string.h"
#include "platform/win32/wide.h"
#include "platform/win32/win_path.h"

namespace kivo::platform {
namespace {

// Highest alias number tried for one name before giving up.
constexpr int kMaxAliasNumber = 99999;

// Besides the bytes every system's command line passes, a Windows path needs its drive's ':' and
// its separators.
bool IsSafeByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("/\\:._+,-~").find(c) != std::string_view::npos;
}

// The system's own short form of the path: each component's 8.3 name where the volume keeps one,
// its long name where not. Empty when the path does not exist.
std::string SystemShortPath(const std::wstring& path) {
  return win32::WideToUtf8(win32::FilledString(
      [&path](wchar_t* buffer, DWORD size) { return ::GetShortPathNameW(path.c_str(), buffer, size); }));
}

// True when both handles are open on the same bytes: one file under two names (a hard link), or a
// copy whose content is the same.
bool SameBytes(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION infoA{}, infoB{};
  if (!::GetFileInformationByHandle(a, &infoA) || !::GetFileInformationByHandle(b, &infoB)) return false;
  if (infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
      infoA.nFileIndexLow == infoB.nFileIndexLow) {
    return true;
  }
  if (infoA.nFileSizeHigh != infoB.nFileSizeHigh || infoA.nFileSizeLow != infoB.nFileSizeLow) return false;
  std::vector<char> pieceA(size_t{1} << 16), pieceB(pieceA.size());
  bool same = true;
  for (DWORD n = 1; same && n > 0;) {
    DWORD m = 0;
    same = ::ReadFile(a, pieceA.data(), static_cast<DWORD>(pieceA.size()), &n, nullptr) &&
           ::ReadFile(b, pieceB.data(), n, &m, nullptr) && n == m && std::memcmp(pieceA.data(), pieceB.data(), n) == 0;
  }
  return same;
}

// True when the alias already serves the target: it holds the target's bytes.
bool Serves(const std::wstring& alias, const std::wstring& target) {
  const win32::Handle a = win32::OpenToRead(alias);
  const win32::Handle b = win32::OpenToRead(target);
  return a.IsValid() && b.IsValid() && SameBytes(a.Get(), b.Get());
}

// Puts a copy of the target in place under the alias's name, complete or not at all: written under
// a temporary name first, then moved to a name nothing holds yet. The system's error, or 0.
DWORD CopyInPlace(const std::wstring& target, const std::wstring& alias) {
  static std::atomic<unsigned> counter{0};
  const std::wstring temp =
      win32::JoinPath(win32::ParentOf(alias), L".kivo-alias-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                                  std::to_wstring(counter.fetch_add(1)));
  if (!::CopyFileW(target.c_str(), temp.c_str(), TRUE)) return ::GetLastError();
  if (::MoveFileExW(temp.c_str(), alias.c_str(), 0)) return 0;
  const DWORD error = ::GetLastError();
  ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only target's copy is read-only too
  ::DeleteFileW(temp.c_str());
  return error;
}

// Makes the alias: a hard link where the file system has them and the target's volume is the
// alias folder's, a copy where not. Windows gives users no symbolic links (they need an
// administrator, or developer mode). The system's error, or 0.
DWORD MakeAlias(const std::wstring& target, const std::wstring& alias) {
  if (::CreateHardLinkW(alias.c_str(), target.c_str(), nullptr)) return 0;
  const DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return error;
  return CopyInPlace(target, alias);
}

}  // namespace

bool IsCommandLineSafe(const std::string& path) {
  for (char c : path) {
    if (!IsSafeByte(c)) return false;
  }
  return true;
}

std::string ShortPathName(const std::string& path, const std::string& aliasFolder) {
  const std::wstring wide = win32::WidePath(path);
  if (path.empty() || !win32::FactsOf(wide)) return {};
  if (IsCommandLineSafe(path)) return path;
  // The real thing where the volume keeps 8.3 names; a volume without them gives long names back.
  if (std::string shortPath = SystemShortPath(wide); !shortPath.empty() && IsCommandLineSafe(shortPath)) {
    return shortPath;
  }
  std::string alias = ShortAlias(path, aliasFolder);
  if (alias.empty() || IsCommandLineSafe(alias)) return alias;
  // The alias folder's own path may hold blanks ("C:\Program Files\..."): its short form then.
  std::string shortAlias = SystemShortPath(win32::WidePath(alias));
  return IsCommandLineSafe(shortAlias) ? shortAlias : alias;
}

// A hard link or a copy rather than a symbolic link (see MakeAlias): either serves the target's
// bytes under the alias's name. The same target finds its alias again by those bytes; a target
// whose bytes have changed gets a new one.
std::string ShortAlias(const std::string& path, const std::string& aliasFolder) {
  std::wstring target = win32::FullPath(win32::WidePath(path));
  while (target.size() > 3 && win32::IsSeparator(target.back())) target.pop_back();
  const std::optional<win32::FileFacts> facts = win32::FactsOf(target);
  // A folder has no hard links, and no copy would stand for it.
  if (path.empty() || !facts || facts->IsFolder() || aliasFolder.empty()) return {};
  const std::wstring folder = win32::WidePath(aliasFolder);
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const std::optional<win32::FileFacts> folderFacts = win32::FactsOf(folder);
  if (!folderFacts || !folderFacts->IsFolder()) return {};

  const std::string fileName = win32::WideToUtf8(win32::NameOf(target));
  int attemptsAtSameNumber = 0;
  for (int n = 1; n <= kMaxAliasNumber;) {
    const std::wstring alias = win32::JoinPath(folder, win32::Utf8ToWide(ShortAliasName(fileName, n)));
    if (::GetFileAttributesW(alias.c_str()) != INVALID_FILE_ATTRIBUTES) {
      if (Serves(alias, target)) return win32::WideToUtf8(alias);
      ++n;
      continue;
    }
    const DWORD error = MakeAlias(target, alias);
    if (error == 0) return win32::WideToUtf8(alias);
    // Another launch may have taken the name just now, perhaps for this very target: look again.
    if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || ++attemptsAtSameNumber > 3) return {};
  }
  return {};
}

bool AnsiCodePageHolds(const std::string& text) {
  // The system's code page, not this process's: KIVO's manifest makes its own UTF-8.
  DWORD codePage = 0;
  if (::GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)) == 0) {
    codePage = CP_ACP;
  }
  if (codePage == CP_UTF8) return true;
  // What the program's C library would make of the bytes Windows gives it: a letter the code page
  // lacks comes back as another one (a '?', or a "best fit" look-alike).
  const std::wstring wide = win32::Utf8ToWide(text);
  const int size = ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  if (size <= 0) return wide.empty();
  std::string narrow(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), narrow.data(), size,
                        nullptr, nullptr);
  const int back = ::MultiByteToWideChar(codePage, 0, narrow.data(), size, nullptr, 0);
  std::wstring again(static_cast<size_t>(back > 0 ? back : 0), L'\0');
  if (back > 0) ::MultiByteToWideChar(codePage, 0, narrow.data(), size, again.data(), back);
  return again == wide;
}

}  // namespace kivo::platform
