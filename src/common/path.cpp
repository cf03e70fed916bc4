// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "common/path.h"

#include "common/text.h"

namespace kivo::common {

std::string AddBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() != kPathSeparator) result += kPathSeparator;
  return result;
}

std::string ExtractFileName(std::string_view path) {
  size_t sep = path.rfind(kPathSeparator);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFileExt(std::string_view path) {
  size_t sep = path.rfind(kPathSeparator);
  size_t start = sep == std::string_view::npos ? 0 : sep + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) return {};
  return std::string(path.substr(dot));
}

bool IsZipName(std::string_view fileName) { return EqualsNoCase(ExtractFileExt(fileName), ".zip"); }

std::string ExtractFileDir(std::string_view path) {
  size_t sep = path.rfind(kPathSeparator);
  if (sep == std::string_view::npos) return {};
  if (sep == 0) return std::string(1, kPathSeparator);
  return std::string(path.substr(0, sep));
}

std::string StripFileExt(std::string_view name) {
  std::string ext = ExtractFileExt(name);
  return std::string(name.substr(0, name.size() - ext.size()));
}

}  // namespace kivo::common
