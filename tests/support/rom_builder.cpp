// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/rom_builder.h"

#include <algorithm>

constexpr std::size_t kMbit = 131072;

void PutWord(std::string& bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

std::uint16_t SnesChecksumOf(const std::string& image) {
  const std::size_t units = image.size() / kMbit;
  std::size_t main = 1;
  while (main * 2 <= units) main *= 2;
  const std::size_t copies = units > main ? main / (units - main) : 1;
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < units * kMbit; ++i) {
    sum += static_cast<unsigned char>(image[i]) * (i < main * kMbit ? 1 : copies);
  }
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

std::string BuildSnesRom(const SnesRomLayout& desc) {
  std::string image(static_cast<std::size_t>(std::max(desc.sizeMbit, 0)) * kMbit, '\0');
  std::uint32_t state = desc.seed * 2654435761u + 12345u;
  for (char& c : image) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }

  // The pattern must not put a passing record at a probed place other than the real header by
  // chance: give every such place a word pair that does not add up to 0xFFFF.
  const std::size_t shift = desc.copierHeader ? 512 : 0;
  const std::size_t headerAt = desc.layout == RomLayout::HiRom ? 0xFFC0 : 0x7FC0;
  for (std::size_t probe : {0x81C0u, 0x101C0u, 0xFFC0u, 0x7FC0u}) {
    if (probe < shift) continue;
    const std::size_t at = probe - shift;
    if (desc.layout != RomLayout::NoHeader && at + 36 > headerAt && at < headerAt + 36) continue;
    if (at + 32 <= image.size()) {
      PutWord(image, at + 28, 0x1234);
      PutWord(image, at + 30, 0x1234);
    }
  }

  if (desc.layout != RomLayout::NoHeader) {
    // The size code is the power of two in Kbytes that holds the image: 1 Mbit is 128 KB, code 7.
    std::uint8_t sizeCode = 7;
    while ((1 << (sizeCode - 7)) < desc.sizeMbit) ++sizeCode;
    std::string title = desc.title.substr(0, 21);
    title.resize(21, ' ');
    image.replace(headerAt, 21, title);
    const std::uint8_t codes[] = {desc.makeup,   desc.type,    desc.sizeCode != 0 ? desc.sizeCode : sizeCode,
                                  desc.sramCode, desc.country, desc.licensee,
                                  desc.version};
    for (std::size_t i = 0; i < sizeof codes; ++i) image[headerAt + 21 + i] = static_cast<char>(codes[i]);
    // The native-mode NMI vector and the reset vector at the end of the bank.
    PutWord(image, headerAt + 0x2A, desc.nmiVector);
    PutWord(image, headerAt + 0x3C, desc.resetVector);
    // A word and its complement always add 0x1FE to the byte sum, so the sum can be taken with a
    // placeholder pair in place and the real pair written afterwards without changing it.
    PutWord(image, headerAt + 28, 0xFFFF);
    PutWord(image, headerAt + 30, 0x0000);
    const std::uint16_t checksum = static_cast<std::uint16_t>(SnesChecksumOf(image) + desc.checksumError);
    PutWord(image, headerAt + 28, static_cast<std::uint16_t>(~checksum));
    PutWord(image, headerAt + 30, checksum);
  }

  if (desc.copierHeader) image.insert(0, std::string(512, '\0'));
  return image;
}
