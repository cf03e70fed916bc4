// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/win32/win_path.h"

#include <algorithm>
#include <array>

#include "platform/win32/filled_string.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace kivo::platform::win32 {
namespace {

wchar_t UpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// "COM" or "LPT" followed by one digit, or by a superscript one, two or three (which Windows reads
// as those digits).
bool IsNumberedPort(std::wstring_view stem) {
  if (stem.size() != 4 || !(EqualsNoCase(stem.substr(0, 3), L"COM") || EqualsNoCase(stem.substr(0, 3), L"LPT")))
    return false;
  const wchar_t digit = stem[3];
  return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
}

}  // namespace

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return UpperAscii(x) == UpperAscii(y); });
}

std::wstring WidePath(std::string_view path) {
  std::wstring wide = Utf8ToWide(path);
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  return wide;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring joined(folder);
  if (!joined.empty() && !IsSeparator(joined.back())) joined += L'\\';
  joined += name;
  return joined;
}

std::wstring ParentOf(std::wstring_view path) {
  const size_t sep = path.find_last_of(L"\\/");
  if (sep == std::wstring_view::npos) return {};
  std::wstring_view before = path.substr(0, sep);
  // "\x" and "C:\x" lie in a root, which keeps its separator.
  if (before.empty() || (before.size() == 2 && before[1] == L':')) return std::wstring(path.substr(0, sep + 1));
  return std::wstring(before);
}

std::wstring NameOf(std::wstring_view path) {
  const size_t sep = path.find_last_of(L"\\/");
  return std::wstring(sep == std::wstring_view::npos ? path : path.substr(sep + 1));
}

std::wstring FullPath(const std::wstring& path) {
  std::wstring full = FilledString([&path](wchar_t* buffer, DWORD size) {
    return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr);
  });
  return full.empty() ? path : full;
}

bool IsAbsolute(std::wstring_view path) {
  if (path.size() >= 3 && path[1] == L':' && IsSeparator(path[2])) return true;
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

bool IsReservedDeviceName(std::wstring_view name) {
  std::wstring_view stem = name.substr(0, name.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
  static constexpr std::array<std::wstring_view, 6> kDevices{L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  return IsNumberedPort(stem) ||
         std::any_of(kDevices.begin(), kDevices.end(), [stem](std::wstring_view device) { return EqualsNoCase(stem, device); });
}

}  // namespace kivo::platform::win32
