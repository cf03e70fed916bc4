// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/list_order.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "browser/ascii_fold.h"

namespace kivo::browser {

namespace {

int Group(int kind) { return kind <= kFolder ? kind : 2; }

// Byte order with bytes as unsigned values, a proper prefix first: what char_traits<char>
// (memcmp) gives.
int CompareBytes(std::string_view a, std::string_view b) { return a.compare(b); }

// Compares two captions without regard to ASCII letter case from byte `from` on, as
// CompareBytes(LowerAscii(a), LowerAscii(b)) would when the bytes before `from` are equal.
int CompareFoldedFrom(std::string_view a, std::string_view b, size_t from) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = from; i < n; ++i) {
    auto ca = static_cast<unsigned char>(FoldAscii(a[i]));
    auto cb = static_cast<unsigned char>(FoldAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// ListEntryLess from byte `from` of the lower-cased captions on, the bytes before being equal.
bool LessFrom(const ListEntry& a, const ListEntry& b, size_t from) {
  if (int c = CompareFoldedFrom(a.caption, b.caption, from); c != 0) return c < 0;
  if (int c = CompareBytes(a.caption, b.caption); c != 0) return c < 0;
  return CompareBytes(a.fileName, b.fileName) < 0;
}

// A line while the lines are sorted: its group in the top byte, then the first 23 bytes of its
// caption, lower-cased, as three big-endian numbers padded with zero bytes. Nearly every comparison
// in a large folder ends on these numbers: names in a collection often share their first fifteen
// bytes but seldom their first twenty-three. The padding keeps a proper prefix first, as no name
// holds a zero byte.
struct SortKey {
  std::uint64_t head[3];
  ListEntries::Line line;
};

constexpr size_t kHeadBytes = 23;

// Spelled out byte by byte, which compilers turn into one load (and a byte swap where needed).
std::uint64_t BigEndianWord(const unsigned char* b) {
  return (std::uint64_t{b[0]} << 56) | (std::uint64_t{b[1]} << 48) | (std::uint64_t{b[2]} << 40) |
         (std::uint64_t{b[3]} << 32) | (std::uint64_t{b[4]} << 24) | (std::uint64_t{b[5]} << 16) |
         (std::uint64_t{b[6]} << 8) | std::uint64_t{b[7]};
}

SortKey KeyOf(const ListEntries& entries, const ListEntries::Line& line) {
  const std::string_view caption = entries.Entry(line).caption;
  unsigned char bytes[kHeadBytes + 1] = {static_cast<unsigned char>(Group(line.kind))};
  std::memcpy(bytes + 1, caption.data(), std::min(caption.size(), kHeadBytes));
  SortKey key{{}, line};
  for (size_t word = 0; word < 3; ++word) key.head[word] = FoldAscii8(BigEndianWord(bytes + 8 * word));
  return key;
}

// The head's byte `depth` (0 is the group).
unsigned HeadByte(const SortKey& key, size_t depth) {
  return static_cast<unsigned>(key.head[depth / 8] >> (56 - 8 * (depth % 8))) & 0xFF;
}

// The first head byte, from `depth` on, in which the keys do not all agree; one past the head when
// they agree in full. Names in a collection share long beginnings ("Super Mario "), which this
// passes over in one look at each key.
size_t FirstDifference(const SortKey* begin, const SortKey* end, size_t depth) {
  for (size_t word = depth / 8; word < 3; ++word) {
    std::uint64_t differing = 0;
    for (const SortKey* key = begin; key != end; ++key) differing |= key->head[word] ^ begin->head[word];
    if (differing != 0) return std::max(depth, word * 8 + static_cast<size_t>(std::countl_zero(differing)) / 8);
  }
  return kHeadBytes + 1;
}

// Sorts keys that agree on their first `depth` head bytes, most significant byte first: each pass
// deals the keys into 256 piles by the first byte in which they differ and goes on within each
// pile, so a pass costs a look at each key rather than a comparison of uncertain outcome per key
// and level. A small pile, or one whose heads agree in full, is finished by std::sort with the
// whole comparison. `scratch` has room for the keys.
template <typename Less>
void SortFromByte(SortKey* begin, SortKey* end, size_t depth, SortKey* scratch, const Less& less) {
  constexpr size_t kSmallPile = 16;
  const size_t count = static_cast<size_t>(end - begin);
  if (count > kSmallPile) depth = FirstDifference(begin, end, depth);
  if (count <= kSmallPile || depth > kHeadBytes) {
    std::sort(begin, end, less);
    return;
  }
  std::uint32_t pileSizes[256] = {};
  for (const SortKey* key = begin; key != end; ++key) ++pileSizes[HeadByte(*key, depth)];
  std::uint32_t next[256];
  for (std::uint32_t pile = 0, start = 0; pile < 256; start += pileSizes[pile++]) next[pile] = start;
  for (const SortKey* key = begin; key != end; ++key) scratch[next[HeadByte(*key, depth)]++] = *key;
  std::copy(scratch, scratch + count, begin);
  for (size_t pile = 0; pile < 256; begin += pileSizes[pile++]) {
    if (pileSizes[pile] > 1) SortFromByte(begin, begin + pileSizes[pile], depth + 1, scratch, less);
  }
}

}  // namespace

bool ListEntryLess(const ListEntry& a, const ListEntry& b) {
  if (Group(a.kind) != Group(b.kind)) return Group(a.kind) < Group(b.kind);
  return LessFrom(a, b, 0);
}

void SortLines(const ListEntries& entries, std::vector<ListEntries::Line>& lines) {
  std::vector<SortKey> keys;
  keys.reserve(lines.size());
  for (const ListEntries::Line& line : lines) keys.push_back(KeyOf(entries, line));
  auto less = [&entries](const SortKey& a, const SortKey& b) {
    if (a.head[0] != b.head[0]) return a.head[0] < b.head[0];
    if (a.head[1] != b.head[1]) return a.head[1] < b.head[1];
    if (a.head[2] != b.head[2]) return a.head[2] < b.head[2];
    return LessFrom(entries.Entry(a.line), entries.Entry(b.line), kHeadBytes);
  };
  auto scratch = std::make_unique_for_overwrite<SortKey[]>(keys.size());
  SortFromByte(keys.data(), keys.data() + keys.size(), 0, scratch.get(), less);
  for (size_t i = 0; i < keys.size(); ++i) lines[i] = keys[i].line;
}

}  // namespace kivo::browser
