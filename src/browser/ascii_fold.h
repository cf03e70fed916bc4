// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace kivo::browser {

// LowerAscii for one byte, inline: a folder scan folds bytes of every listed name, where a call per
// byte shows in the profile.
constexpr char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// FoldAscii on the eight bytes of a word at once. Per byte: the low seven bits plus a constant
// carry into the top bit exactly when they are at least 'A' (or above 'Z'), never into the next
// byte; a byte whose own top bit is set is no ASCII letter and stays.
constexpr std::uint64_t FoldAscii8(std::uint64_t bytes) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  const std::uint64_t low7 = bytes & (0x7F * kOnes);
  const std::uint64_t atLeastA = low7 + (0x80 - 'A') * kOnes;
  const std::uint64_t aboveZ = low7 + (0x80 - 'Z' - 1) * kOnes;
  const std::uint64_t capitals = atLeastA & ~aboveZ & ~bytes & (0x80 * kOnes);
  return bytes | (capitals >> 2);  // 0x80 >> 2 is the 0x20 between a capital and its small letter
}

}  // namespace kivo::browser
