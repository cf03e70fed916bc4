// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Windows paths as the platform layer builds and takes them apart. The core joins paths with '/',
// the system gives them with '\': both count as separators everywhere here.
namespace kivo::platform::win32 {

bool IsSeparator(wchar_t c);

// Equal but for the case of ASCII letters, as Windows compares the names this layer looks for
// (devices, "cmd.exe", extensions).
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// The UTF-8 path as the system's *W calls take it, every '/' made '\'. An empty path stays empty.
std::wstring WidePath(std::string_view path);

// The folder with `name` appended, one separator between (none added after a root's own).
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// Everything before the last separator; a root keeps its separator ("C:\x" gives "C:\"). Empty when
// the path has no separator.
std::wstring ParentOf(std::wstring_view path);
// The last component.
std::wstring NameOf(std::wstring_view path);

// The path made absolute from the current folder (and drive), "." and ".." resolved.
std::wstring FullPath(const std::wstring& path);

// True for "C:\..." and for "\\server\share\..." (and the "\\?\" forms).
bool IsAbsolute(std::wstring_view path);

// True for the names Windows gives to devices wherever they stand in a folder: CON, PRN, AUX, NUL,
// CONIN$, CONOUT$, COM0-9 and LPT0-9 (also with a superscript 1-3), in any case, with or without an
// extension, blanks before the dot ignored as Windows ignores them.
bool IsReservedDeviceName(std::wstring_view name);

}  // namespace kivo::platform::win32
