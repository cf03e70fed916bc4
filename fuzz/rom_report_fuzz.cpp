// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The ROM loader, header probe, checksum and information report on arbitrary bytes.
//
// Each input is tried twice: as a whole image, and laid into a zero image of 0 to 3 Mbit (first
// byte) plus up to 255 tail bytes (second byte), with the rest of the input written at every offset
// the header probe reads. The second form reaches the checksum rule, copier-header handling and
// short tails with small inputs.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rom/rom_commands.h"
#include "rom/snes_rom.h"

using namespace kivo::rom;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void Exercise(std::string image) {
  const std::int64_t size = static_cast<std::int64_t>(image.size());
  TSnesRom rom = TSnesRom::FromImage(std::move(image));
  Check(rom.CopierHeaderSize() == 0 || rom.CopierHeaderSize() == 512);

  const std::string info = rom.InfoText();
  Check(info.rfind("Title: ", 0) == 0);
  Check(info.find('\0') == std::string::npos);

  ChecksumVerdict verdict = VerifyChecksum(rom);
  Check((verdict.result == ChecksumResult::Failed) == (size < TSnesRom::kMbit));
  if (verdict.result != ChecksumResult::Failed) {
    Check(verdict.text == ChecksumText(rom.HeaderChecksum(), rom.CalcSum()));
    Check(rom.MainMbit() + rom.RestMbit() == rom.SizeMbit());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  Exercise(std::string(bytes, size));

  if (size >= 2) {
    const std::size_t mbit = data[0] % 4;
    std::string image(mbit * TSnesRom::kMbit + data[1], '\0');
    const std::size_t restSize = size - 2;
    for (std::size_t at : {0x7FC0u, 0x81C0u, 0xFFC0u, 0x101C0u}) {
      if (at < image.size()) std::memcpy(image.data() + at, bytes + 2, std::min(restSize, image.size() - at));
    }
    Exercise(std::move(image));
  }
  for (int code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    Check(!TSnesRom::MakeupName(byte).empty() && !TSnesRom::RomTypeName(byte).empty() &&
          !TSnesRom::CountryName(byte).empty() && !TSnesRom::LicenseeName(byte).empty());
  }
  return 0;
}
