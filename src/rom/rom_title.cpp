// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "rom/rom_title.h"

#include <optional>

namespace kivo::rom {

namespace {

constexpr std::size_t kTitleFieldBytes = 21;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// A code point of the Basic Multilingual Plane from U+0800 on, as its three UTF-8 bytes.
void AppendThreeByteUtf8(std::string& text, char32_t code) {
  text += static_cast<char>(0xE0 | (code >> 12));
  text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  text += static_cast<char>(0x80 | (code & 0x3F));
}

}  // namespace

std::string DecodeTitleField(std::string_view field) {
  std::string text;
  text.reserve(field.size() * 3);
  for (char c : field) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte <= 0x7E) {
      text += c;
    } else if (byte == 0) {
      // Titles shorter than the field are padded, by some makers with NUL rather than blanks.
      text += ' ';
    } else if (byte >= 0xA1 && byte <= 0xDF) {
      // JIS X 0201's katakana half lies in Unicode in the same order from U+FF61 on.
      AppendThreeByteUtf8(text, 0xFF61 + (byte - 0xA1));
    } else {
      text += kReplacement;
    }
  }
  const std::size_t end = text.find_last_not_of(' ');
  text.resize(end == std::string::npos ? 0 : end + 1);
  return text;
}

RomTitle TitleFromImageStart(std::string_view start, std::int64_t fileSize) {
  if (fileSize < 0 || static_cast<std::uint64_t>(fileSize) > TSnesRom::kRomFileLimit) return {};
  const std::optional<HeaderPlace> place = LocateHeader(start.substr(0, kTitleReadBytes));
  if (!place) return {};
  const std::string_view record = start.substr(static_cast<std::size_t>(place->offset), TSnesRom::kRecordSize);
  RomTitle title;
  title.title = DecodeTitleField(record.substr(TSnesRom::kTitleOffset, kTitleFieldBytes));
  // A header that passes is at least as long as its checksum, so the country byte is there.
  title.region = TSnesRom::RegionName(static_cast<std::uint8_t>(record[TSnesRom::kCountryOffset]));
  return title;
}

}  // namespace kivo::rom
