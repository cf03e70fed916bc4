// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A setting read from a 1 MB kivo.ini: SettingsFile looks at the file as it is now on every read,
// against reading the file's bytes once. The key lies in a game's section halfway through the file,
// the bytes a read compares (up to the key's line) half of it; a key at the file's end, or one it
// lacks, is compared with the whole file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "harness.h"
#include "support/temp_dir.h"

using namespace kivo::app;

namespace {

constexpr size_t kFileSize = 1 << 20;

// A kivo.ini as a large collection leaves it: "General", a "Configs" section naming every game
// with a configuration, then one section per game with its options, until the file is 1 MB.
class LargeIni {
 public:
  LargeIni() {
    static const char* const kKeys[] = {"Interleaved",     "NTSC",          "PAL",         "HiROM",
                                        "LoROM",           "Scanlines",     "Scale",       "Interpolation",
                                        "VSync",           "NewEngine",     "SmallScreen", "FrameSkip",
                                        "FrameSkip Value", "CPUCycles",     "Color0",      "Gamma",
                                        "DisableSPCHack",  "OffBy1LineFix", "Videomode"};
    std::vector<std::string> sections;
    std::string body;
    for (int game = 0; body.size() < kFileSize - 80 * 1024; ++game) {
      std::string name = "Game Title " + std::to_string(game) + (game % 2 ? " (U)" : " (E)");
      sections.push_back(name);
      body += "\r\n[" + name + "]\r\n";
      for (size_t k = 0; k < std::size(kKeys); ++k) {
        body += kKeys[k];
        body += '=';
        body += std::to_string((game + static_cast<int>(k)) % 5);
        body += "\r\n";
      }
    }
    std::string text = "[General]\r\nZSNESPath=/opt/zsnes/ZSNES.EXE\r\nSound=1\r\nVolume=25\r\n\r\n[Configs]\r\n";
    for (const std::string& name : sections) text += name + "=1\r\n";
    text += body;
    middle_ = sections[sections.size() / 2];
    WriteBenchFile(path_, text);
  }

  const std::string& Path() const { return path_; }
  const std::string& MiddleSection() const { return middle_; }

 private:
  TempDir folder_;
  std::string path_ = folder_ / "kivo.ini";
  std::string middle_;
};

const LargeIni& Ini() {
  static LargeIni ini;
  return ini;
}

// One read per iteration, a number and a text in turn, each looking at the file as it is now.
void KivoRead(benchmark::State& state) {
  const LargeIni& ini = Ini();
  SettingsFile settings(ini.Path());
  bool number = true;
  for (auto _ : state) {
    if (number) {
      if (settings.ReadInteger(ini.MiddleSection(), "CPUCycles", -1) < 0) state.SkipWithError("key not found");
    } else {
      std::string value = settings.ReadString(ini.MiddleSection(), "Videomode", "");
      if (value.empty()) state.SkipWithError("key not found");
      benchmark::DoNotOptimize(value.data());
    }
    number = !number;
  }
}

void ReadBytesOnce(benchmark::State& state) {
  const LargeIni& ini = Ini();
  std::string bytes;
  for (auto _ : state) {
    int fd = ::open(ini.Path().c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    ::fstat(fd, &st);
    bytes.resize(static_cast<size_t>(st.st_size));
    ssize_t got = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    if (got != st.st_size) state.SkipWithError("short read");
  }
}

KIVO_FIGURE("settings_read", "setting read from a 1 MB kivo.ini", 2.0, KivoRead, ReadBytesOnce);

}  // namespace
