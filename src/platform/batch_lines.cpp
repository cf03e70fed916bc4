// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/process.h"

namespace kivo::platform {

std::vector<std::string> BatchLines(std::string_view batchBytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= batchBytes.size()) {
    size_t end = batchBytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = batchBytes.size();
    if (end > start) lines.emplace_back(batchBytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace kivo::platform
