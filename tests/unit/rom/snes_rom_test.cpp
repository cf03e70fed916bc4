// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The name tables of the header's codes: the reports in tests/data/rom_reports/ show single entries;
// here every code is looked up, so an entry lost or added shows too.
#include <gtest/gtest.h>

#include "rom/snes_rom.h"

using namespace kivo::rom;

namespace {

TEST(RomNames, EveryTableNamesItsCodesAndOnlyThose) {
  int types = 0, countries = 0, licensees = 0;
  for (int code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    types += TSnesRom::RomTypeName(byte) != "Unknown";
    countries += TSnesRom::CountryName(byte) != "Unknown";
    licensees += TSnesRom::LicenseeName(byte) != "Unknown";
  }
  EXPECT_EQ(types, 10);
  EXPECT_EQ(countries, 14);
  EXPECT_EQ(licensees, 155);
  // Some publishers have several codes, each with its own spelling.
  EXPECT_EQ(TSnesRom::LicenseeName(0x17), "KOEI");
  EXPECT_EQ(TSnesRom::LicenseeName(0xC8), "KOEI");
  EXPECT_EQ(TSnesRom::LicenseeName(0xFF), "Hudson Soft");
}

}  // namespace
