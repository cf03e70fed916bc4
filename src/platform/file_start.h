// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kivo::platform {

// Whether a regular file is at the path, of at most `limit` bytes, readable (a read fault set for
// tests counts as unreadable) and beginning with `start`. Only as many bytes as `start` holds are
// read: a caller that knows the rest of the file cannot change its answer is spared reading it.
bool FileStartsWith(const std::string& path, std::string_view start, size_t limit);

}  // namespace kivo::platform
