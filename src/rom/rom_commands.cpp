// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "rom/rom_commands.h"

namespace kivo::rom {

std::string ChecksumText(std::uint16_t headerChecksum, std::uint16_t calcSum) {
  if (headerChecksum == calcSum) return "CheckSUM: OK " + std::to_string(calcSum);
  const int difference = static_cast<int>(calcSum) - static_cast<int>(headerChecksum);
  return "CheckSUM: BAD (ROM=" + std::to_string(headerChecksum) + "/ CALC=" + std::to_string(calcSum) + " " +
         std::to_string(difference) + ")";
}

ChecksumVerdict VerifyChecksum(TSnesRom& rom) {
  ChecksumVerdict verdict;
  if (!rom.CalcChecksum()) {
    verdict.result = ChecksumResult::Failed;
    verdict.text = kChecksumFailedText;
    if (rom.FileName().empty() && !rom.FileFound()) {
      verdict.reason = kNoRomInArchive;
    } else if (!rom.FileFound()) {
      verdict.reason = kRomFileNotFound;
    } else {
      verdict.reason = "image shorter than 1 Mbit: " + std::to_string(rom.ImageSize()) + " bytes";
    }
    return verdict;
  }
  verdict.result = rom.HeaderChecksum() == rom.CalcSum() ? ChecksumResult::Ok : ChecksumResult::Bad;
  verdict.text = ChecksumText(rom.HeaderChecksum(), rom.CalcSum());
  return verdict;
}

ChecksumVerdict VerifyChecksum(const std::string& romFile) {
  TSnesRom rom(romFile);
  return VerifyChecksum(rom);
}

RomMessage ChecksumMessage(const std::string& romFile) {
  const ChecksumVerdict verdict = VerifyChecksum(romFile);
  if (verdict.result != ChecksumResult::Failed) return {verdict.text, kChecksumCaption};
  return {verdict.text + "\n" + verdict.reason, kChecksumCaption};
}

RomMessage RomInfoMessage(const std::string& romFile) {
  TSnesRom rom(romFile);
  return {rom.InfoText(), kRomInfoCaption};
}

}  // namespace kivo::rom
