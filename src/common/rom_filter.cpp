// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "common/rom_filter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/path.h"

namespace kivo::common {

namespace {

// An extension of at most eight bytes, lower-cased, as one number (zero bytes after its end; no
// name holds a zero byte); nothing for a longer one, which the filter cannot hold.
std::optional<std::uint64_t> PackedExtension(std::string_view ext) {
  if (ext.size() > 8) return std::nullopt;
  std::uint64_t packed = 0;
  for (char c : ext) {
    const char folded = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    packed = (packed << 8) | static_cast<unsigned char>(folded);
  }
  return packed;
}

// An extension starts at its name's last dot, so it can only match a piece of the filter that
// starts at a dot and holds no other; there are a few dozen such pieces, packed and sorted once.
const std::vector<std::uint64_t>& ListedPieces() {
  static const std::vector<std::uint64_t> kListed = [] {
    std::vector<std::uint64_t> listed;
    for (size_t dot = kRomFilter.find('.'); dot != std::string_view::npos; dot = kRomFilter.find('.', dot + 1)) {
      size_t next = std::min(kRomFilter.find('.', dot + 1), kRomFilter.size());
      for (size_t end = dot + 1; end <= next; ++end) {
        if (auto piece = PackedExtension(kRomFilter.substr(dot, end - dot))) listed.push_back(*piece);
      }
    }
    std::sort(listed.begin(), listed.end());
    return listed;
  }();
  return kListed;
}

}  // namespace

bool IsListedExtension(std::string_view extension) {
  const std::optional<std::uint64_t> packed = PackedExtension(extension);
  const std::vector<std::uint64_t>& listed = ListedPieces();
  return packed && std::binary_search(listed.begin(), listed.end(), *packed);
}

bool MatchesRomFilter(std::string_view fileName) { return IsListedExtension(ExtractFileExt(fileName)); }

}  // namespace kivo::common
