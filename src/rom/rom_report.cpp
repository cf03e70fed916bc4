// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The information report: the internal header decoded into the lines the "Info" command shows.
#include <cstdio>
#include <string>

#include "rom/snes_rom.h"

namespace kivo::rom {

namespace {

// 2 raised to n in decimal, exact for every n a header byte can produce. Size codes are only a
// byte, and a damaged header with a large code would overflow any machine integer; doubling a
// decimal digit string keeps the shown number the true power instead of a wrapped one.
std::string PowerOfTwoDecimal(int n) {
  std::string digits = "1";  // least significant digit first
  for (int i = 0; i < n; ++i) {
    int carry = 0;
    for (char& d : digits) {
      int v = (d - '0') * 2 + carry;
      d = static_cast<char>('0' + v % 10);
      carry = v / 10;
    }
    if (carry) digits += static_cast<char>('0' + carry);
  }
  return std::string(digits.rbegin(), digits.rend());
}

std::string Hex4(std::uint16_t value) {
  char text[5];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
  return text;
}

}  // namespace

std::string TSnesRom::InfoText() const {
  const Record& r = record_;
  std::string text = "Title: ";
  // The title field holds 21 bytes; the report shows the first 20 as they are, blanks included.
  text.append(reinterpret_cast<const char*>(r.data()) + kTitleOffset, 20);

  text += "\nCopier Header: ";
  text += copierHeaderSize_ == kCopierHeaderBytes ? "Present" : "None";
  text += "\nInformation Offset: " + std::to_string(headerOffset_);

  const std::uint8_t makeup = r[kMakeupOffset];
  text += "\nMakeup: " + std::to_string(makeup) + " - " + MakeupName(makeup);
  const std::uint8_t type = r[kTypeOffset];
  text += "\nType: " + std::to_string(type) + " - " + RomTypeName(type);

  // Size codes count in powers of two from 1 Mbit at code 7; smaller codes mean less than 1 Mbit.
  const int sizeCode = r[kSizeOffset];
  text += "\nSize: " + (sizeCode < 7 ? std::string("0") : PowerOfTwoDecimal(sizeCode - 7)) + " MBit";

  const int sramCode = r[kSramOffset];
  if (sramCode != 0) text += "\nSRAM Size: " + PowerOfTwoDecimal(sramCode + 3) + " KBits";

  text += "\nCountry: " + CountryName(r[kCountryOffset]);
  const std::uint8_t licensee = r[kLicenseeOffset];
  text += "\nLicense: " + std::to_string(licensee) + " - " + LicenseeName(licensee);
  text += "\nVersion: 1." + std::to_string(r[kVersionOffset]);
  text += "\nInverse Checksum: " + Hex4(RecordWord(kComplementOffset));
  const std::uint16_t checksum = RecordWord(kChecksumOffset);
  text += "\nChecksum: " + std::to_string(checksum) + " (" + Hex4(checksum) + ")";
  text += "\nNMI / VBL Vector " + Hex4(HeaderWord(kNmiVectorOffset));
  text += "\nReset Vector " + Hex4(HeaderWord(kResetVectorOffset));
  text += "\nReal Size: " + std::to_string(ImageSize()) + " Bytes = " + std::to_string(ImageSize() / kMbit) + " MBit";

  // The report reaches the user as one NUL-terminated text, so a NUL in the title ends it there.
  if (std::size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

}  // namespace kivo::rom
