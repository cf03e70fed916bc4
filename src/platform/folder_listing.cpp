// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A whole listing, gathered from each system's VisitDirectory.
#include <string>
#include <vector>

#include "platform/dirs.h"

namespace kivo::platform {

std::vector<DirItem> ListDirectory(const std::string& path) {
  std::vector<DirItem> items;
  VisitDirectory(path, [&items](std::string_view name, bool isDirectory) {
    items.push_back({std::string(name), isDirectory});
  });
  return items;
}

}  // namespace kivo::platform
