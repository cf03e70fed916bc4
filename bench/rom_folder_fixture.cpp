// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "rom_folder_fixture.h"

#include <filesystem>
#include <map>
#include <memory>

#include <unistd.h>

#include "harness.h"

namespace {

// The keys a game's configuration section holds, with values a user might have chosen.
constexpr const char* kGameKeys[] = {"Interleaved=0",     "NTSC=1",          "PAL=0",         "HiROM=0",
                                     "LoROM=1",           "Scanlines=1",     "Scale=0",       "Interpolation=1",
                                     "VSync=0",           "NewEngine=1",     "SmallScreen=0", "FrameSkip=0",
                                     "FrameSkip Value=2", "CPUCycles=120",   "Color0=0",      "Gamma=3",
                                     "DisableSPCHack=0",  "OffBy1LineFix=0", "Videomode=4",   "Stereo=1"};

// A game name as collections spell them: words, a number, a region and a dump mark.
std::string GameName(int i) {
  static const char* const kWords[] = {"Super", "Mega",  "Dragon", "Quest",   "Star",  "Fighter", "Legend", "Kart",
                                       "Tales", "Mario", "Zelda",  "Metroid", "Racer", "Soccer",  "Battle", "Island"};
  static const char* const kRegions[] = {" (U)", " (E)", " (J)", " (F)", " (G)"};
  std::string name = kWords[i % 16];
  name += ' ';
  name += kWords[(i / 16) % 16];
  name += ' ';
  name += std::to_string(i);
  name += kRegions[(i / 7) % 5];
  if (i % 3 == 0) name += " [!]";
  return name;
}

const char* RomExtension(int i) {
  static const char* const kExtensions[] = {".smc", ".sfc", ".zip", ".SMC", ".fig", ".ZIP", ".078"};
  return kExtensions[i % 7];
}

}  // namespace

RomFolderFixture::RomFolderFixture(int fileCount) {
  folder_ = root_ / "roms";
  std::filesystem::create_directories(folder_);
  for (int i = 0; i < 12; ++i) std::filesystem::create_directory(folder_ + "/Folder " + std::to_string(i));
  for (int i = 0; i < fileCount; ++i) WriteBenchFile(folder_ + "/" + GameName(i) + RomExtension(i), "");
  for (int i = 0; i < fileCount; i += 10) WriteBenchFile(folder_ + "/" + GameName(i) + (i % 20 ? ".txt" : ".swc"), "");

  std::string ini = "[General]\nZSNESPath=/opt/zsnes/ZSNES.EXE\nSound=1\nVolume=25\nSampleRate=2\n\n[Configs]\n";
  // Every tenth of the first 20,000 games has a configuration, so configured files are spread over
  // the whole of a 20,000-file list.
  constexpr int kGamesWithConfigurations = 20000;
  for (int i = 0; i < kGamesWithConfigurations; i += 10) ini += GameName(i) + "=1\n";
  for (int i = 0; i < kGamesWithConfigurations; i += 10) {
    ini += "\n[" + GameName(i) + "]\n";
    for (const char* line : kGameKeys) (ini += line) += '\n';
  }
  iniPath_ = root_ / "kivo.ini";
  WriteBenchFile(iniPath_, ini);
  // Hundreds of thousands of new files keep the file system writing for a while; a figure timed
  // meanwhile would measure that too.
  ::sync();
}

const RomFolderFixture& RomFolder(int fileCount) {
  static std::map<int, std::unique_ptr<RomFolderFixture>> fixtures;
  std::unique_ptr<RomFolderFixture>& fixture = fixtures[fileCount];
  if (!fixture) fixture = std::make_unique<RomFolderFixture>(fileCount);
  return *fixture;
}
