// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Checksum of a 48-Mbit image: TSnesRom loading the file, probing the header and computing the
// cartridge checksum, against reading the same file and summing its bytes in a plain loop.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"
#include "rom/snes_rom.h"
#include "support/temp_dir.h"

using namespace kivo::rom;

namespace {

// The image, written once per run to a temporary file and removed at exit. 48 Mbit is 32 + 16, so
// the rest part counts twice, as in a real cartridge of that size.
class RomFile {
 public:
  RomFile() {
    std::string image(48 * TSnesRom::kMbit, '\0');
    std::uint32_t state = 12345;
    for (char& c : image) {
      state = state * 1664525u + 1013904223u;
      c = static_cast<char>(state >> 24);
    }
    // A HiROM header with a checksum pair that passes the probe.
    image[0xFFC0 + 28] = '\x34';
    image[0xFFC0 + 29] = '\x12';
    image[0xFFC0 + 30] = '\xCB';
    image[0xFFC0 + 31] = '\xED';
    WriteBenchFile(path_, image);
  }
  const std::string& Path() const { return path_; }

 private:
  TempDir folder_;
  std::string path_ = folder_ / "48mbit.sfc";
};

const std::string& RomPath() {
  static RomFile file;
  return file.Path();
}

void KivoChecksum(benchmark::State& state) {
  const std::string& path = RomPath();
  for (auto _ : state) {
    TSnesRom rom(path);
    if (rom.HeaderOffset() != 0xFFC0 || !rom.CalcChecksum()) state.SkipWithError("image not recognised");
    benchmark::DoNotOptimize(rom.CalcSum());
  }
}

void ReadAndSum(benchmark::State& state) {
  const std::string& path = RomPath();
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < got; ++i) sum += bytes[i];
    benchmark::DoNotOptimize(sum);
  }
}

KIVO_FIGURE("rom_checksum", "checksum of a 48-Mbit image (load + sum)", 1.2, KivoChecksum, ReadAndSum);

}  // namespace
