// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace kivo::common {

// Path helpers over byte strings. File names are kept as the bytes the system gave; nothing here
// decodes them.

// Separator of the platform's paths: the one KIVO writes. Windows also takes '/' in a path, so
// there both count when a path is taken apart; on POSIX systems a backslash is an ordinary character of
// a file name.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

bool IsPathSeparator(char c);

// True for a path that does not depend on the current folder: "/x" on POSIX systems; C:\x,
// C:/x, \\server\share and \x (the current drive's root) on Windows.
bool IsAbsolutePath(std::string_view path);

// True for a path that names a root: "/"; on Windows also C:\ or C:/.
bool IsRootPath(std::string_view path);

// The path with the system's own separator: on Windows each '/' becomes a backslash, so that a path
// a user typed with "/" is shown as Windows shows paths. Unchanged on POSIX systems.
std::string NativeSeparators(std::string_view path);

// An absolute path without "." components, each ".." dropped with the component before it, and
// without doubled separators: one name for one file where a game is remembered by its path. The
// links on the way are not looked at, so it names what the user named.
std::string LexicalPath(std::string_view path);

// An empty path stays empty; any other path gets a separator appended unless it ends in one.
std::string AddBackslash(std::string_view path);

// The text from the last '.' of the last path component, the dot included; empty when none.
std::string ExtractFileExt(std::string_view path);

// True when the extension (as ExtractFileExt gives it) is ".zip" in any letter case: the list shows
// such a file as an archive, the cache unpacks it, and "Unzip" applies to it.
bool IsZipName(std::string_view fileName);

// The last path component (everything after the last separator).
std::string ExtractFileName(std::string_view path);

// Everything before the last separator; a root keeps its separator ("/x" gives "/", and on
// Windows C:\x gives C:\).
std::string ExtractFileDir(std::string_view path);

// The file name without its extension (as ExtractFileExt defines it).
std::string StripFileExt(std::string_view name);

}  // namespace kivo::common
