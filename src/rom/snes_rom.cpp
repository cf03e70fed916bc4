// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "rom/snes_rom.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "common/error.h"
#include "platform/files.h"

namespace kivo::rom {

namespace {

struct Probe {
  std::int32_t offset;
  std::int32_t copierHeaderSize;
};

// Where the internal header lies, in the order the image layouts are tried: a copier header in front
// is tried first, so an image whose record passes both with and without one counts as having one.
constexpr Probe kProbes[] = {
    {0x81C0, TSnesRom::kCopierHeaderBytes},   // LoROM behind a copier header
    {0x101C0, TSnesRom::kCopierHeaderBytes},  // HiROM behind a copier header
    {0xFFC0, 0},                              // HiROM
    {0x7FC0, 0},                              // LoROM
};
static_assert(std::all_of(std::begin(kProbes), std::end(kProbes),
                          [](const Probe& p) { return p.offset + TSnesRom::kRecordSize <= kHeaderSearchBytes; }));

// Whether the record at `offset` of the image is a valid internal header: its complement and checksum,
// both read from this place, add up to 0xFFFF.
bool RecordPasses(std::string_view image, std::int32_t offset) {
  if (offset < 0 || static_cast<std::size_t>(offset) >= image.size()) return false;
  if (image.size() - static_cast<std::size_t>(offset) < TSnesRom::kChecksumOffset + 2) return false;
  auto word = [&](std::size_t field) {
    const std::size_t at = static_cast<std::size_t>(offset) + field;
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(image[at]) | static_cast<std::uint8_t>(image[at + 1])
                                                                                 << 8);
  };
  return word(TSnesRom::kComplementOffset) + word(TSnesRom::kChecksumOffset) == 0xFFFF;
}

// The largest power of two not greater than n (n >= 1).
std::int64_t FloorPowerOfTwo(std::int64_t n) {
  std::int64_t p = 1;
  while (p * 2 <= n) p *= 2;
  return p;
}

// Sum of image bytes in [from, to), clipped to the image: a copier header shifts the summed ranges
// past the end whenever the image's size modulo 1 Mbit is less than 512, and bytes that are not
// there cannot count.
std::uint64_t SumRange(const std::string& image, std::int64_t from, std::int64_t to) {
  std::int64_t size = static_cast<std::int64_t>(image.size());
  from = std::clamp<std::int64_t>(from, 0, size);
  to = std::clamp<std::int64_t>(to, from, size);
  return SumBytes(std::string_view(image).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
}

}  // namespace

std::uint64_t SumBytes(std::string_view bytes) {
  // Whole blocks of a fixed length, small enough that a 32-bit sum cannot overflow (255 * 65536 <
  // 2^32): a loop of known length and narrow sum is one the compiler vectorises at the usual
  // optimisation level, which keeps the checksum as fast as reading the file.
  constexpr std::size_t kBlock = 65536;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::uint64_t total = 0;
  std::size_t left = bytes.size();
  for (; left >= kBlock; left -= kBlock, data += kBlock) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kBlock; ++i) sum += data[i];
    total += sum;
  }
  for (std::size_t i = 0; i < left; ++i) total += data[i];
  return total;
}

TSnesRom::TSnesRom(const std::string& fileName) : fileName_(fileName) {
  if (!fileName.empty()) {
    platform::ReadStatus status = platform::ReadFile(fileName, image_, kRomFileLimit);
    fileFound_ = status != platform::ReadStatus::kMissing;
    if (fileFound_ && status != platform::ReadStatus::kRead) throw common::KivoError("Cannot read file " + fileName);
  }
  FindHeader();
}

TSnesRom TSnesRom::FromImage(std::string image, std::string fileName) {
  TSnesRom rom;
  rom.fileName_ = std::move(fileName);
  rom.fileFound_ = true;
  rom.image_ = std::move(image);
  rom.FindHeader();
  return rom;
}

void TSnesRom::FindHeader() {
  headerOffset_ = 0;
  copierHeaderSize_ = 0;
  if (image_.empty()) return;
  // The same search as LocateHeader's, through ProbeHeader: the record keeps what each probe read.
  for (const Probe& probe : kProbes) {
    if (ProbeHeader(probe.offset)) {
      headerOffset_ = probe.offset;
      copierHeaderSize_ = probe.copierHeaderSize;
      return;
    }
  }
}

bool TSnesRom::ProbeHeader(std::int32_t offset) {
  if (offset < 0 || static_cast<std::int64_t>(offset) >= ImageSize()) return false;
  std::size_t n = std::min(kRecordSize, image_.size() - static_cast<std::size_t>(offset));
  std::memcpy(record_.data(), image_.data() + offset, n);
  recordOffset_ = static_cast<std::size_t>(offset);
  // A record cut short by the end of the image keeps the previous probe's bytes in its tail; the
  // complement and the checksum are therefore judged on the image's bytes, never on the record.
  return RecordPasses(image_, offset);
}

std::optional<HeaderPlace> LocateHeader(std::string_view image) {
  for (const Probe& probe : kProbes) {
    if (RecordPasses(image, probe.offset)) return HeaderPlace{probe.offset, probe.copierHeaderSize};
  }
  return std::nullopt;
}

std::uint16_t TSnesRom::RecordWord(std::size_t offset) const {
  return static_cast<std::uint16_t>(record_[offset] | (record_[offset + 1] << 8));
}

std::uint16_t TSnesRom::HeaderWord(std::size_t offset) const {
  const std::size_t at = recordOffset_ + offset;
  if (at + 1 >= image_.size()) return 0;
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(image_[at]) | static_cast<std::uint8_t>(image_[at + 1])
                                                                                << 8);
}

bool TSnesRom::CalcChecksum() {
  const std::int64_t sizeMbit = ImageSize() / kMbit;
  if (sizeMbit < 1) return false;
  const std::int64_t mainMbit = FloorPowerOfTwo(sizeMbit);
  const std::int64_t restMbit = sizeMbit - mainMbit;
  const std::int64_t restFactor = restMbit == 0 ? 0 : mainMbit / restMbit;

  const std::int64_t h = copierHeaderSize_;
  const std::uint64_t mainSum = SumRange(image_, h, h + mainMbit * kMbit);
  const std::uint64_t restSum = SumRange(image_, h + mainMbit * kMbit, h + sizeMbit * kMbit);

  sizeMbit_ = static_cast<std::int32_t>(sizeMbit);
  mainMbit_ = static_cast<std::int32_t>(mainMbit);
  restMbit_ = static_cast<std::int32_t>(restMbit);
  restFactor_ = static_cast<std::int32_t>(restFactor);
  calcSum_ = static_cast<std::uint16_t>((restSum * static_cast<std::uint64_t>(restFactor) + mainSum) & 0xFFFF);
  return true;
}

}  // namespace kivo::rom
