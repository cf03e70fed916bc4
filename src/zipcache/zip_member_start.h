// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::zipcache {

// The start of the game in an archive, for what a list shows of it without unpacking it.
struct MemberStart {
  std::string bytes;      // the member's first bytes (fewer when it is shorter)
  std::int64_t size = 0;  // the member's full size
};

// The first `count` bytes of the archive's first member whose name matches the ROM list's filter
// (a ROM image, not a nested .zip), and that member's full size, read from the archive without
// unpacking it anywhere. Members are taken as extraction takes them (a regular file whose name
// SplitMemberName accepts, no link) and examined up to ExtractLimits' count. Nothing when there is
// none, or the archive is damaged before that member's first bytes are read.
std::optional<MemberStart> ReadFirstRomMemberStart(const std::string& archivePath, size_t count);

// The same on the archive's bytes, for tests and the fuzzer.
std::optional<MemberStart> ReadFirstRomMemberStartFromBytes(std::string_view archive, size_t count);

}  // namespace kivo::zipcache
