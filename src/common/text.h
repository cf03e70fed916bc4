// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::common {

// Byte-string helpers. Letter case folds ASCII letters only, so names in another code page compare
// by their bytes.

char LowerAscii(char c);
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Blanks (space and tab) removed from both ends.
std::string_view TrimBlanks(std::string_view text);

// The words as a POSIX shell reads them back, separated by one blank: a word of bytes a shell takes
// literally (A-Z a-z 0-9 and "/._+,-=:@%") stands alone, any other in single quotes, a quote inside
// written as '\''. An empty word is ''.
std::string ShellQuoted(const std::vector<std::string>& words);

// A word of a Windows command interpreter's line as the interpreter and the program's C library read
// it back: bare, or in double quotes when it holds a blank or a character the interpreter acts on
// outside quotes. Nothing when no quoting keeps it unchanged (a quote, '%', '!' or a line break).
std::optional<std::string> InterpreterWord(const std::string& word);

// The words as InterpreterWord gives them, separated by one blank; nothing when one has no form.
std::optional<std::string> InterpreterLine(const std::vector<std::string>& words);

// The words as the system's own shell takes them, for a user to read or paste: ShellQuoted on POSIX
// systems; on Windows InterpreterLine, or every word in double quotes when that has no form.
std::string SystemQuoted(const std::vector<std::string>& words);

// A 32-bit integer in decimal, or in hexadecimal after "0x", "0X" or "$", with an optional sign.
// Anything else, or a number that does not fit, gives nothing.
std::optional<int> ParseInteger(std::string_view text);

}  // namespace kivo::common
