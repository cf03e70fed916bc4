// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Archive extraction into the cache: TZipCache::GetRomFile on the first use of a ZIP holding a
// 4 MB ROM (extraction and recording included; the cache emptied between iterations), against the
// unzip program extracting the same archive ("unzip -o -q", a child process).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "harness.h"
#include "platform/run_and_wait.h"
#include "support/temp_dir.h"
#include "zipcache/zip_cache.h"

using namespace kivo::zipcache;

namespace {

namespace fs = std::filesystem;

// A ROM image that compresses about as real ones do: stretches of noise, stretches repeating
// earlier bytes, and runs of padding.
std::string RomImage(size_t size) {
  std::string image(size, '\0');
  uint32_t state = 2463534242u;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  for (size_t block = 0; block < size; block += 256) {
    uint32_t kind = next() % 4;
    for (size_t i = block; i < block + 256 && i < size; ++i) {
      if (kind == 0) {
        image[i] = static_cast<char>(next());
      } else if (kind == 1 && block >= 4096) {
        image[i] = image[i - 4096 + (next() % 2)];
      } else if (kind == 2) {
        image[i] = static_cast<char>(0xFF);
      } else {
        image[i] = static_cast<char>((i * 7) ^ (i >> 5));
      }
    }
  }
  return image;
}

// The archive, made once per run with the zip program in a temporary folder removed at exit.
class Fixture {
 public:
  Fixture() {
    fs::create_directories(root_ / "zipcache");
    fs::create_directories(root_ / "unzipped");
    WriteBenchFile(root_ / "GAME.SFC", RomImage(4 << 20));
    ok_ = kivo::platform::RunProgramAndWait({"zip", "-q", "-9", "-j", Archive(), root_ / "GAME.SFC"}, "") == 0;
    fs::remove(root_ / "GAME.SFC");
  }
  bool Ok() const { return ok_; }
  std::string Archive() const { return root_ / "Game.zip"; }
  std::string CacheFolder() const { return root_ / "zipcache"; }
  std::string UnzipFolder() const { return root_ / "unzipped"; }

 private:
  TempDir root_;
  bool ok_ = false;
};

const Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

void KivoFirstUse(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  if (!fixture.Ok()) return state.SkipWithError("the zip program could not make the archive");
  TZipCache cache(fixture.CacheFolder(), 8);
  for (auto _ : state) {
    std::string rom = cache.GetRomFile(fixture.Archive());
    state.PauseTiming();
    if (fs::file_size(rom) != (4u << 20)) return state.SkipWithError("ROM not extracted");
    cache.PurgeAll();
    state.ResumeTiming();
  }
}

void UnzipProgram(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  if (!fixture.Ok()) return state.SkipWithError("the zip program could not make the archive");
  const std::string target = fixture.UnzipFolder();
  for (auto _ : state) {
    if (kivo::platform::RunProgramAndWait({"unzip", "-o", "-q", fixture.Archive(), "-d", target}, "") != 0) {
      return state.SkipWithError("unzip failed");
    }
    state.PauseTiming();
    fs::remove(fs::path(target) / "GAME.SFC");
    state.ResumeTiming();
  }
}

KIVO_FIGURE("zipcache_extract", "archive extraction into the cache (4 MB ROM in a ZIP)", 1.2, KivoFirstUse,
            UnzipProgram);

}  // namespace
