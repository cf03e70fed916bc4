// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "rom/snes_rom.h"

namespace kivo::rom {

// What a ROM list shows of a game beside its file name: the internal header's title and region.
struct RomTitle {
  std::string title;  // UTF-8, trailing blanks dropped; empty when the file holds no valid header
  std::string
      region;  // TSnesRom::RegionName of the header's country ("Japan", "USA", "Europe"); empty without a header
  bool operator==(const RomTitle&) const = default;
};

// How many bytes from a file's start the title needs at most: the copier header, the farthest
// layout's header offset and its record.
inline constexpr std::size_t kTitleReadBytes = kHeaderSearchBytes;

// Title and region from the first bytes of an image (`start`, at most kTitleReadBytes; fewer for a
// short file) and the size of the whole file. The header is found as TSnesRom finds it; a file
// larger than TSnesRom reads is no image, and has none.
RomTitle TitleFromImageStart(std::string_view start, std::int64_t fileSize);

// The 21-byte title field as UTF-8: printable ASCII as it is, half-width katakana (JIS X 0201, bytes
// 0xA1 to 0xDF) as their Unicode forms, NUL as a blank, every other byte as U+FFFD; trailing blanks
// dropped.
std::string DecodeTitleField(std::string_view field);

}  // namespace kivo::rom
