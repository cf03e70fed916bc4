// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The emulator takes its ROM path unquoted on a command line split at blanks, so a path with blanks
// or other awkward bytes is handed over as a short alias, the way a DOS program sees 8.3 names.
namespace kivo::platform {

// True when every byte of the path is one the command line passes through untouched:
// A-Z, a-z, 0-9 and "/._+,-~", and on Windows also the separator '\\' and the drive's ':'.
bool IsCommandLineSafe(const std::string& path);

// The short form of an existing file or folder: the path itself when it is command-line safe; on
// Windows the system's own 8.3 path (GetShortPathNameW) when that is; otherwise an alias in
// `aliasFolder` (created when missing: a symbolic link, or on Windows a hard link, or a copy for a
// file on another volume) named like an 8.3 short name,
// e.g. "SUPERM~1.SMC", pointing at the absolute path. The same target always gets the same alias,
// so the emulator's save files, named after the ROM file it was given, keep their names.
// Empty when the path does not exist or no alias can be made.
std::string ShortPathName(const std::string& path, const std::string& aliasFolder);

// A symbolic link in `aliasFolder` to the existing file, named like an 8.3 short name, whatever the
// file's own name: the same target always gets the same alias. Empty when the file does not exist
// or no alias can be made.
std::string ShortAlias(const std::string& path, const std::string& aliasFolder);

// True when a program that takes its arguments in the system's ANSI code page (as programs built
// for Windows before UTF-8 do) gets every letter of the text. Always true on POSIX systems, where
// arguments are bytes.
bool AnsiCodePageHolds(const std::string& text);

// The 8.3-style name with the number `n` ("SUPERM~1.SMC" for "Super Mario World.smc" and 1).
std::string ShortAliasName(const std::string& fileName, int n);

}  // namespace kivo::platform
