// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Checksum of a 48-Mbit image: TSnesRom loading the file, probing the header and computing the
// cartridge checksum, against reading the same file and summing its bytes in a plain loop. And the
// titles of a ROM list: ScanTitles over 20,000 small images with an empty table, against opening
// each file and reading the bytes the header reader takes, without parsing them.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "browser/title_scan.h"
#include "harness.h"
#include "platform/dirs.h"
#include "platform/run_and_wait.h"
#include "rom/rom_title.h"
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

// 20,000 LoROM images of 256 Kbit, each with a title of its own, written once per run.
class TitleFolder {
 public:
  static constexpr int kFiles = 20000;
  TitleFolder() {
    std::string image(0x8000, '\0');
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 31 + i / 97);
    const std::size_t header = 0x7FC0;
    image[header + 28] = '\x34';  // a checksum pair that passes the probe
    image[header + 29] = '\x12';
    image[header + 30] = '\xCB';
    image[header + 31] = '\xED';
    for (int i = 0; i < kFiles; ++i) {
      std::string title = "GAME NUMBER " + std::to_string(i);
      title.resize(21, ' ');
      image.replace(header, title.size(), title);
      paths_.push_back(folder_ / ("game " + std::to_string(i) + ".smc"));
      WriteBenchFile(paths_.back(), image);
    }
    WriteBenchFile(IniPath(), "[General]\nRun first=0\nROMDirectory=" + std::string(folder_.Path()) +
                                  "\nZSNESPath=" + (folder_ / "ZSNES.EXE") + "\n");
  }
  const std::vector<std::string>& Paths() const { return paths_; }
  std::string TableFile() const { return folder_ / "cache/titles.tbl"; }
  // The window started on this folder, its settings and its titles table beside them.
  std::string IniPath() const { return folder_ / "kivo.ini"; }
  std::string WindowTable() const { return folder_ / "zipcache/titles.tbl"; }

 private:
  TempDir folder_;
  std::vector<std::string> paths_;
};

const TitleFolder& Titles() {
  static TitleFolder folder;
  return folder;
}

void KivoTitles(benchmark::State& state) {
  const TitleFolder& folder = Titles();
  const std::atomic<bool> stop{false};
  for (auto _ : state) {
    kivo::browser::TitleTable table(folder.TableFile());  // no file there: an empty table
    std::size_t titled = 0;
    kivo::browser::ScanTitles(folder.Paths(), table, stop, [&](std::size_t, const kivo::browser::GameFacts& facts) {
      titled += facts.title.title.empty() ? 0 : 1;
    });
    if (titled != folder.Paths().size()) state.SkipWithError("titles not found");
    benchmark::DoNotOptimize(table.Size());
  }
}

void ReadTitleBytes(benchmark::State& state) {
  const TitleFolder& folder = Titles();
  std::vector<char> buffer(kTitleReadBytes);
  for (auto _ : state) {
    std::size_t total = 0;
    for (const std::string& path : folder.Paths()) {
      const int fd = ::open(path.c_str(), O_RDONLY);
      std::size_t used = 0;
      for (ssize_t n; used < buffer.size() && (n = ::read(fd, buffer.data() + used, buffer.size() - used)) > 0;) {
        used += static_cast<std::size_t>(n);
      }
      ::close(fd);
      total += used;
    }
    benchmark::DoNotOptimize(total);
  }
}

KIVO_FIGURE("rom_titles", "Titles: the headers of 20,000 ROM images read", 1.5, KivoTitles, ReadTitleBytes);

// The window's event loop while it reads those titles (probes/titles_loop_probe.cpp), each run on
// an empty titles table: the longest it went without turning, against a budget of 50 ms, within
// which a click or a key still feels answered at once. The budget is the bar's measure, not a
// program's: the ratio says how much of it the longest block took.
void KivoTitlesLoop(benchmark::State& state) {
  const TitleFolder& folder = Titles();
  TempDir work;
  const std::string output = work / "longest";
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::vector<std::string> argv = {kivo::platform::ExecutableDir() + "/kivo_titles_loop_probe",
                                         folder.IniPath(), std::to_string(TitleFolder::kFiles), output};
  for (auto _ : state) {
    std::filesystem::remove(folder.WindowTable());
    double longest = -1;
    if (kivo::platform::RunProgramAndWait(argv, "") == 0) std::ifstream(output) >> longest;
    if (longest < 0) {
      state.SkipWithError("the event-loop probe gave no figure");
      break;
    }
    state.SetIterationTime(longest);
  }
}

void EventLoopBudget(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(0.050);
}

KIVO_FIGURE("titles_event_loop", "longest block of the event loop while 20,000 titles are read", 1.0, KivoTitlesLoop,
            EventLoopBudget, 1.0, Measure::kSpan);

}  // namespace
