// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Builds SNES cartridge images in memory for tests and fixtures. The image is filled with a
// deterministic byte pattern, carries a 36-byte internal header where the layout puts it, and
// optionally a 512-byte copier header in front.
enum class RomLayout {
  LoRom,     // internal header at 0x7FC0
  HiRom,     // internal header at 0xFFC0
  NoHeader,  // no header written: nothing in the image passes the header probe
};

struct SnesRomLayout {
  std::string title = "KIVO TEST CARTRIDGE";  // padded with blanks (or cut) to the 21-byte field
  RomLayout layout = RomLayout::LoRom;
  std::uint8_t makeup = 0x20;  // map mode byte; 0x20 LoROM, 0x21 HiROM, +0x10 FastROM
  std::uint8_t type = 0x02;    // cartridge type
  std::uint8_t sizeCode = 0;   // ROM size code; 0 writes the code that matches sizeMbit
  std::uint8_t sramCode = 0;
  std::uint8_t country = 1;
  std::uint8_t licensee = 1;
  std::uint8_t version = 0;
  std::uint16_t nmiVector = 0x8000;
  std::uint16_t resetVector = 0x8004;

  int sizeMbit = 8;           // image size without copier header, in Mbit (131072 bytes)
  bool copierHeader = false;  // 512 bytes in front of the image

  // The header's checksum is the image's true checksum plus this (complement kept matching, so the
  // header stays valid); non-zero makes a damaged image.
  int checksumError = 0;
  std::uint32_t seed = 1;  // byte pattern of the image body
};

std::string BuildSnesRom(const SnesRomLayout& desc);

// The cartridge checksum of a headerless image of whole Mbit: the image mirrored the way the
// cartridge's own checksum is defined, i.e. the largest power-of-two part once and the remainder
// repeated to fill the rest, each byte added as an unsigned value, modulo 65536. Bytes after the
// last whole Mbit are ignored.
std::uint16_t SnesChecksumOf(const std::string& image);

// Writes a little-endian word into bytes at offset.
void PutWord(std::string& bytes, std::size_t offset, std::uint16_t value);
