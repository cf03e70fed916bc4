#pragma once

#include <string>
#include <string_view>

// Path helpers over byte strings. File names are kept as the bytes the system gave; nothing here
// decodes them.

// Separator of the platform's paths.
inline constexpr char kPathSeparator = '/';

// An empty path stays empty; any other path gets a separator appended unless it ends in one.
std::string AddBackslash(std::string_view path);

// The text from the last '.' of the last path component, the dot included; empty when none.
std::string ExtractFileExt(std::string_view path);

// The last path component (everything after the last separator).
std::string ExtractFileName(std::string_view path);

// Everything before the last separator; a root keeps its separator ("/x" gives "/").
std::string ExtractFileDir(std::string_view path);

// The file name without its extension (as ExtractFileExt defines it).
std::string StripFileExt(std::string_view name);
