// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/file_start.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/files.h"
#include "platform/win32/file_io.h"

namespace kivo::platform {

bool FileStartsWith(const std::string& path, std::string_view start, size_t limit) {
  const ReadableFile file(path);
  if (file.Descriptor() < 0) return false;
  const HANDLE handle = win32::HandleOf(file.Descriptor());
  const std::optional<win32::FileFacts> facts = win32::FactsOfHandle(handle);
  if (!facts || facts->size > limit) return false;
  // A piece at a time, compared while it is fresh in the cache.
  char piece[1 << 16];
  size_t matched = 0;
  while (matched < start.size()) {
    DWORD n = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(sizeof piece, start.size() - matched));
    if (!::ReadFile(handle, piece, wanted, &n, nullptr) || n == 0) return false;
    if (std::memcmp(start.data() + matched, piece, n) != 0) return false;
    matched += n;
  }
  return true;
}

}  // namespace kivo::platform
