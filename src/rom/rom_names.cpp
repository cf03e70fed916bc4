// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Names of the internal header's codes, as the information report prints them. Each code has its
// own text: some publishers appear under several codes, spelled differently, and each spelling is
// kept as it is.
#include <array>
#include <string_view>

#include "rom/snes_rom.h"

namespace kivo::rom {

namespace {

constexpr std::string_view kUnknown = "Unknown";

struct Name {
  std::uint8_t code;
  std::string_view text;
};

constexpr Name kRomTypes[] = {
    {0x00, "ROM only"},
    {0x01, "ROM and RAM"},
    {0x02, "ROM and Save RAM"},
    {0x03, "ROM and DSP1 chip"},
    {0x04, "ROM, RAM and DSP1 chip"},
    {0x05, "ROM, Save RAM and DSP1 chip"},
    {0x13, "ROM and Super FX chip"},
    {0x15, "ROM and Super FX chip v2"},
    {0xE3, "ROM, RAM and GameBoy data"},
    {0xF6, "ROM and DSP2 chip"},
};

// Each country code's name in the report and its short form, the region a list column shows.
struct Country {
  std::string_view name;
  std::string_view region;
};

constexpr Country kCountries[] = {
    {"Japan NTSC", "Japan"},
    {"USA NTSC", "USA"},
    {"Australia, Europe, Oceania and Asia PAL", "Europe"},
    {"Sweden PAL", "Sweden"},
    {"Finland PAL", "Finland"},
    {"Denmark PAL", "Denmark"},
    {"France PAL", "France"},
    {"Holland PAL", "Holland"},
    {"Spain PAL", "Spain"},
    {"Germany, Austria and Switzerland PAL", "Germany"},
    {"Italy PAL", "Italy"},
    {"Hong Kong and China PAL", "China"},
    {"Indonesia PAL", "Indonesia"},
    {"Korea PAL", "Korea"},
};

constexpr Name kLicensees[] = {
    {0x01, "Nintendo"},
    {0x03, "Imagineer -Zoom"},
    {0x05, "Zamuse"},
    {0x06, "Falcom"},
    {0x08, "Capcom"},
    {0x09, "HOT -B"},
    {0x0A, "Jaleco"},
    {0x0B, "Coconuts"},
    {0x0C, "Rage Software"},
    {0x0E, "Technos"},
    {0x0F, "Mebio Software"},
    {0x12, "Gremlin Graphics"},
    {0x13, "Electronic Arts"},
    {0x15, "COBRA Team"},
    {0x16, "Human/Field"},
    {0x17, "KOEI"},
    {0x18, "Hudson Soft"},
    {0x1A, "Yanoman"},
    {0x1C, "Tecmo"},
    {0x1E, "Open System"},
    {0x1F, "Virgin Games"},
    {0x20, "KSS"},
    {0x21, "Sunsoft"},
    {0x22, "POW"},
    {0x23, "Micro World"},
    {0x26, "Enix"},
    {0x27, "Loriciel/Electro Brain"},
    {0x28, "Kemco"},
    {0x29, "Seta Co.,Ltd."},
    {0x2D, "Visit Co.,Ltd."},
    {0x31, "Carrozzeria"},
    {0x32, "Dynamic"},
    {0x33, "Nintendo/Generic"},
    {0x34, "Magifact"},
    {0x35, "Hect"},
    {0x3C, "Empire Software"},
    {0x3D, "Loriciel"},
    {0x40, "Seika Corp."},
    {0x41, "UBI Soft"},
    {0x46, "System 3"},
    {0x47, "Spectrum Holobyte"},
    {0x49, "Irem"},
    {0x4B, "Raya Systems/Sculptured Software"},
    {0x4C, "Renovation Products"},
    {0x4D, "Malibu Games/Black Pearl"},
    {0x4F, "U.S.Gold"},
    {0x50, "Absolute Entertainment"},
    {0x51, "Acclaim"},
    {0x52, "Activision"},
    {0x53, "American Sammy"},
    {0x54, "GameTek"},
    {0x55, "Hi Tech Expressions"},
    {0x56, "LJN Toys"},
    {0x5A, "Mindscape"},
    {0x5D, "Tradewest"},
    {0x5F, "American Softworks Corp."},
    {0x60, "Titus"},
    {0x61, "Virgin Interactive Entertainment"},
    {0x62, "Maxis"},
    {0x63, "Origin Systems"},
    {0x67, "Ocean"},
    {0x69, "Electronic Arts"},
    {0x6B, "Laser Beam"},
    {0x6E, "Elite"},
    {0x6F, "Electro Brain"},
    {0x70, "Infogrames"},
    {0x71, "Interplay"},
    {0x72, "LucasArts"},
    {0x73, "Parker Brothers"},
    {0x75, "STORM"},
    {0x78, "THQ Software"},
    {0x79, "Accolade Inc."},
    {0x7A, "Triffix Entertainment"},
    {0x7C, "Microprose"},
    {0x7F, "Kemco"},
    {0x80, "Misawa"},
    {0x81, "Teichio"},
    {0x82, "Namco Ltd."},
    {0x83, "Lozc"},
    {0x84, "Koei"},
    {0x86, "Tokuma Shoten Intermedia"},
    {0x88, "DATAM-Polystar"},
    {0x8B, "Bullet-Proof Software"},
    {0x8C, "Vic Tokai"},
    {0x8E, "Character Soft"},
    {0x8F, "I''Max"},
    {0x90, "Takara"},
    {0x91, "CHUN Soft"},
    {0x92, "Video Systems Co. Limited"},
    {0x93, "BEC"},
    {0x95, "Varie"},
    {0x97, "Kaneco"},
    {0x99, "Pack in Video"},
    {0x9A, "Nichibutsu"},
    {0x9B, "Tecmo"},
    {0x9C, "Imagineer Co."},
    {0xA0, "Telenet"},
    {0xA4, "Konami"},
    {0xA5, "K.Amusement Leasing Co."},
    {0xA7, "Takara"},
    {0xA9, "Technos Jap."},
    {0xAA, "JVC"},
    {0xAC, "Toei Animation"},
    {0xAD, "Toho"},
    {0xAF, "Namco Ltd."},
    {0xB1, "ASCII Co. Activision"},
    {0xB2, "BanDai America"},
    {0xB4, "Enix"},
    {0xB6, "Halken"},
    {0xBA, "Culture Brain"},
    {0xBB, "Sunsoft"},
    {0xBC, "Toshiba EMI"},
    {0xBD, "Sony Imagesoft"},
    {0xBF, "Sammy"},
    {0xC0, "Taito"},
    {0xC2, "Kemco"},
    {0xC3, "Square"},
    {0xC4, "Tokuma Soft"},
    {0xC5, "Data East"},
    {0xC6, "Tonkin House"},
    {0xC8, "KOEI"},
    {0xCA, "Koname USA"},
    {0xCB, "NTVIC"},
    {0xCD, "Meldac"},
    {0xCE, "Pony Canyon"},
    {0xCF, "Sotsu Agency/Sunrise"},
    {0xD0, "Disco/Taito"},
    {0xD1, "Sofel"},
    {0xD2, "Quest Corp."},
    {0xD3, "Sigma"},
    {0xD6, "Naxat"},
    {0xD8, "Capcom Co., Ltd."},
    {0xD9, "Banpresto"},
    {0xDA, "Tomy"},
    {0xDB, "Acclaim"},
    {0xDD, "NCS"},
    {0xDE, "Human Entertainment"},
    {0xDF, "Altron"},
    {0xE0, "Jaleco"},
    {0xE2, "Yutaka"},
    {0xE4, "T&E Soft"},
    {0xE5, "EPOCH Co., Ltd."},
    {0xE7, "Athena"},
    {0xE8, "Asmik"},
    {0xE9, "Natsume"},
    {0xEA, "King Records"},
    {0xEB, "Atlus"},
    {0xEC, "Sony Music Entertainment"},
    {0xEE, "IGS"},
    {0xF1, "Motown Software"},
    {0xF2, "Left Field Entertainment"},
    {0xF3, "Beam Software"},
    {0xF4, "Tec Magik"},
    {0xF9, "Cybersoft"},
    {0xFF, "Hudson Soft"},
};

template <std::size_t N>
std::string_view Lookup(const Name (&table)[N], std::uint8_t code) {
  for (const Name& name : table) {
    if (name.code == code) return name.text;
  }
  return kUnknown;
}

}  // namespace

// The two halves are chosen separately from the same byte: bit 0 set is the HiROM memory map,
// bit 4 set the fast ROM access speed (0x20 LoROM, 0x21 HiROM, 0x30 and 0x31 their fast forms).
std::string TSnesRom::MakeupName(std::uint8_t makeup) {
  std::string name = (makeup & 0x01) ? "HiROM" : "LoROM";
  name += (makeup & 0x10) ? " / FastROM" : " / SlowROM";
  return name;
}

std::string TSnesRom::RomTypeName(std::uint8_t type) { return std::string(Lookup(kRomTypes, type)); }

std::string TSnesRom::CountryName(std::uint8_t country) {
  return std::string(country < std::size(kCountries) ? kCountries[country].name : kUnknown);
}

std::string TSnesRom::RegionName(std::uint8_t country) {
  return std::string(country < std::size(kCountries) ? kCountries[country].region : kUnknown);
}

std::string TSnesRom::LicenseeName(std::uint8_t licensee) { return std::string(Lookup(kLicensees, licensee)); }

}  // namespace kivo::rom
