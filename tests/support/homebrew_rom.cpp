// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/homebrew_rom.h"

#include "support/rom_builder.h"

namespace {

constexpr std::size_t kImageSize = 131072;  // 1 Mbit
constexpr std::size_t kHeader = 0x7FC0;     // LoROM internal header, at $00:FFC0

}  // namespace

std::string BuildHomebrewRom(std::uint16_t bgr555) {
  std::string image(kImageSize, '\0');
  const auto lo = static_cast<char>(bgr555 & 0xFF);
  const auto hi = static_cast<char>(bgr555 >> 8);
  // 65816 code, loaded at $00:8000.
  const std::string code = {
      '\x78',                  // sei
      '\x18', '\xFB',          // clc; xce: native mode
      '\xE2', '\x20',          // sep #$20: 8-bit accumulator
      '\xA9', '\x80',          // lda #$80
      '\x8D', '\x00', '\x21',  // sta $2100: forced blank while the palette is written
      '\x9C', '\x21', '\x21',  // stz $2121: palette address 0, the backdrop
      '\xA9', lo,              // lda #low byte
      '\x8D', '\x22', '\x21',  // sta $2122
      '\xA9', hi,              // lda #high byte
      '\x8D', '\x22', '\x21',  // sta $2122
      '\xA9', '\x0F',          // lda #$0F
      '\x8D', '\x00', '\x21',  // sta $2100: screen on, full brightness
      '\x80', '\xFE',          // bra *: wait for ever
  };
  image.replace(0, code.size(), code);

  image.replace(kHeader, 21, "KIVO HOMEBREW        ");
  image[kHeader + 0x15] = 0x20;  // LoROM, slow
  image[kHeader + 0x16] = 0x00;  // ROM only
  image[kHeader + 0x17] = 0x07;  // 128 KB
  image[kHeader + 0x18] = 0x00;  // no SRAM
  image[kHeader + 0x19] = 0x01;  // North America
  image[kHeader + 0x1A] = 0x33;
  // Every vector at the program's start; the program enables no interrupt.
  for (std::size_t vector = 0x7FE4; vector < 0x8000; vector += 2) PutWord(image, vector, 0x8000);
  PutWord(image, kHeader + 0x1C, 0xFFFF);
  PutWord(image, kHeader + 0x1E, 0x0000);
  const std::uint16_t checksum = SnesChecksumOf(image);
  PutWord(image, kHeader + 0x1C, static_cast<std::uint16_t>(~checksum));
  PutWord(image, kHeader + 0x1E, checksum);
  return image;
}
