// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/file_start.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/files.h"

namespace kivo::platform {

bool FileStartsWith(const std::string& path, std::string_view start, size_t limit) {
  const ReadableFile file(path);
  struct stat st {};
  if (file.Descriptor() < 0 || ::fstat(file.Descriptor(), &st) != 0 || static_cast<uint64_t>(st.st_size) > limit) {
    return false;
  }
  // A piece at a time, compared while it is fresh in the cache.
  char piece[1 << 16];
  size_t matched = 0;
  while (matched < start.size()) {
    const ssize_t n = ::read(file.Descriptor(), piece, std::min(sizeof piece, start.size() - matched));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || std::memcmp(start.data() + matched, piece, static_cast<size_t>(n)) != 0) return false;
    matched += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace kivo::platform
