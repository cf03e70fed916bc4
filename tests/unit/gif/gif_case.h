// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gif/gif_options.h"
#include "support/gif_builder.h"

// A GIF described in text with what reading and composing it must give; tests/data/gif/README has
// the format. The runner of each folder makes a GifOutcome its own way and checks it against the case.
struct GifCase {
  std::string name;  // file name, and the case's own name when the file holds several
  std::string gif;
  int width = 0, height = 0;  // the screen, for the composed pictures
  std::map<char, GifRgb> colors;
  kivo::gif::GifOptions limits;
  bool dither = false, giflib = false;
  std::string seed, seedBytes;                               // a fuzzer's seed file this case's bytes are committed as
  std::string loops;                                         // expected loop count or -, when not empty
  std::vector<std::string> transcript;                       // the lines kivo-tool gif prints
  std::vector<std::optional<std::vector<uint8_t>>> written;  // each frame's pixels, when written whole
  std::map<size_t, std::vector<uint8_t>> decoded;            // frames whose pixels the case states
  std::vector<std::string> composed;                         // letters of the screen after each frame
};

struct GifOutcome {
  std::vector<std::string> transcript;
  std::vector<std::vector<uint8_t>> frames;  // each frame's colour indexes
  std::vector<std::string> composed;         // each composed picture as an RGBA PAM
};

std::vector<GifCase> ReadGifCases(const std::filesystem::path& file);
// Every case of every *.txt file in the folder, in file name order.
std::vector<GifCase> GifCasesIn(const std::string& folder);
// The transcript and pictures against the case; failures are reported as test failures.
void CheckGifOutcome(const GifCase& c, const GifOutcome& outcome);
