// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "unit/gif/gif_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace {

// The letters of the indexes of a colour table given by its size, or of none.
const std::string kDigits = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct Table {
  std::vector<GifRgb> colors;
  std::string letters = kDigits;
};

// "L RRGGBB L RRGGBB ...", each colour named by its letter, or "COUNT [SEED]", a test palette.
Table ReadTable(std::istream& words, std::map<char, GifRgb>& names) {
  Table table;
  std::string word, hex;
  if (uint32_t count = 0, seed = 1; words >> count) {
    if (!(words >> seed)) seed = 1;
    table.colors = GifTestPalette(static_cast<int>(count), seed);
    return table;
  }
  words.clear();
  table.letters.clear();
  while (words >> word >> hex) {
    const auto value = std::stoul(hex, nullptr, 16);
    table.colors.push_back(names[word[0]] = {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
    table.letters += word[0];
  }
  return table;
}

// Hex bytes and "quoted text", each repeated when followed by *COUNT: 00*3 "c"*255.
std::string ReadBytes(std::istream& words) {
  std::string out, piece;
  for (int byte = 0, times = 1; (words >> std::ws).peek() != EOF; times = 1) {
    if (words.peek() == '"')
      words >> std::quoted(piece);
    else
      words >> std::hex >> byte >> std::dec, piece = std::string(1, static_cast<char>(byte));
    if (words.peek() == '*') words.get(), words >> times;
    while (times-- > 0) out += piece;
  }
  return out;
}

std::vector<uint8_t> Indexes(std::istream& rows, int count, const std::string& letters) {
  std::vector<uint8_t> indexes;
  std::string row;
  for (int i = 0; i < count && rows >> row; ++i) {
    for (char letter : row) {
      if (letters.find(letter) == std::string::npos) throw std::runtime_error(std::string("no colour ") + letter);
      indexes.push_back(static_cast<uint8_t>(letters.find(letter)));
    }
  }
  return indexes;
}

}  // namespace

std::vector<GifCase> ReadGifCases(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<GifCase> cases;
  GifBuilder builder("");
  Table global, local;
  std::string signature;  // of a screen whose global colour table may follow
  std::string lastData;   // the last frame's data behind its width - 1, height - 1 and interlacing
  auto finish = [&] {
    if (!signature.empty()) builder.Raw(signature).Screen(cases.back().width, cases.back().height, global.colors);
    signature.clear();
    if (!cases.empty()) cases.back().gif = builder.Bytes();
  };
  for (std::string line, word; std::getline(in, line);) {
    std::istringstream words(line);
    if (!(words >> word) || word[0] == '#') continue;
    if (word == "case" || cases.empty()) {
      if (!cases.empty()) finish();
      if (word == "case") std::getline(words >> std::ws, line);
      cases.emplace_back().name = file.filename().string() + (word == "case" ? " / " + line : "");
      builder = GifBuilder("");
      global = local = Table{};
      if (word == "case") continue;
    }
    GifCase& c = cases.back();
    if (word == "colors" && !signature.empty()) global = ReadTable(words, c.colors);
    finish();
    // Options after a line's fixed fields: words, each with the numbers after it.
    std::map<std::string, std::vector<long>> options;
    auto number = [&](const char* name, long otherwise) { return options.count(name) ? options[name][0] : otherwise; };
    auto readOptions = [&] {
      for (auto* last = &options[""]; words >> word;) {
        if (std::isdigit(static_cast<unsigned char>(word[0])))
          last->push_back(std::stol(word));
        else
          last = &options[word];
      }
    };
    if (word == "colors") {
      // read with its screen above
    } else if (word == "bytes") {
      builder.Raw(ReadBytes(words));
    } else if (word == "screen") {
      words >> c.width >> c.height;
      if (!(words >> signature)) signature = "GIF89a";
    } else if (word == "local") {
      local = ReadTable(words, c.colors);
    } else if (word == "control") {  // control DISPOSAL DELAY TRANSPARENT
      const std::vector<std::string> kDisposals = {"none", "keep", "background", "previous"};
      std::string disposal, transparent;
      int delay = 0;
      words >> disposal >> delay >> transparent;
      std::istringstream index(transparent);
      builder.GraphicControl(std::find(kDisposals.begin(), kDisposals.end(), disposal) - kDisposals.begin(), delay,
                             transparent == "-" ? std::nullopt : std::optional(Indexes(index, 1, global.letters)[0]));
    } else if (word == "frame") {
      GifFrameSpec frame;
      words >> frame.left >> frame.top >> frame.width >> frame.height;
      readOptions();
      frame.localMap = local.colors;
      const Table table = local.colors.empty() ? global : std::exchange(local, Table{});
      frame.interlaced = options.count("interlaced");
      int codeSize = 2;
      while ((1u << codeSize) < table.colors.size()) ++codeSize;
      GifLzwOptions& lzw = frame.lzw;
      lzw = {int(number("codesize", codeSize)), !options.count("noclear"), !options.count("noend"),
             !options.count("keepfull"), int(number("blocks", 255))};
      const int colors = std::min(256, 1 << lzw.minCodeSize);
      if (options.count("test")) frame.pixels = GifTestPixels(frame.width, frame.height, colors, number("test", 0));
      if (options.count("noise")) frame.pixels = GifNoisePixels(frame.width, frame.height, colors, number("noise", 0));
      if (!options.count("test") && !options.count("noise") && !options.count("nodata"))
        frame.pixels = Indexes(in, frame.height, table.letters);
      // "as W H": the descriptor gives another size than the data has.
      GifFrameSpec descriptor = frame;
      if (options.count("as")) descriptor.width = options["as"].at(0), descriptor.height = options["as"].at(1);
      builder.Descriptor(descriptor);
      const std::string packed =
          GifLzwPack(frame.interlaced ? GifInterlaceRows(frame.pixels, frame.width, frame.height) : frame.pixels, lzw);
      // "claim N": one sub-block that says N bytes more than the file holds; "open": no terminator.
      lastData = std::string(1, char(lzw.minCodeSize)) +
                 (options.count("claim") ? char(packed.size() + number("claim", 0)) + packed
                                         : GifSubBlocks(packed, lzw.blockSize, !options.count("open")));
      if (!options.count("nodata")) builder.Raw(lastData);
      lastData = std::string{char(frame.width - 1), char(frame.height - 1), char(frame.interlaced)} + lastData;
      const bool whole = !options.count("nodata") && !options.count("as");
      c.written.push_back(whole ? std::optional(frame.pixels) : std::nullopt);
    } else if (word == "codes") {  // codes CODESIZE CODE/WIDTH ...: explicit codes in sub-blocks
      std::vector<std::pair<int, int>> codes;
      words >> word;
      builder.Raw(std::string(1, static_cast<char>(std::stoi(word))));
      while (words >> word) codes.emplace_back(std::stoi(word), std::stoi(word.substr(word.find('/') + 1)));
      builder.Raw(GifSubBlocks(GifPackCodes(codes)));
    } else if (word == "trailer") {
      builder.Trailer();
    } else if (word == "limits") {
      readOptions();
      c.limits.maxPixels = number("pixels", c.limits.maxPixels);
      c.limits.maxFrames = int(number("frames", c.limits.maxFrames));
      c.limits.maxExtensions = int(number("extensions", c.limits.maxExtensions));
    } else if (word == "dither" || word == "giflib") {
      (word == "dither" ? c.dither : c.giflib) = true;
    } else if (word == "seed") {
      words >> c.seed;
      c.seedBytes = c.seed.ends_with(".lzw") ? lastData : "";
    } else if (word == "loops") {
      words >> c.loops;
    } else if (word == ">") {
      c.transcript.push_back(line.substr(2));
    } else if (word == "decoded") {
      size_t index = 0;
      words >> index;
      c.decoded[index] = Indexes(words, 1 << 16, global.letters);
    } else if (word == "composed") {
      c.composed.emplace_back();
      while (c.composed.back().size() < size_t(c.width * c.height) && in >> word) c.composed.back() += word;
    } else {
      throw std::runtime_error(file.string() + ": unknown line " + line);
    }
  }
  finish();
  for (GifCase& c : cases) c.seedBytes = c.seed.empty() || !c.seedBytes.empty() ? c.seedBytes : c.gif;
  return cases;
}

std::vector<GifCase> GifCasesIn(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<GifCase> cases;
  for (const auto& file : files) {
    for (GifCase& c : ReadGifCases(file)) cases.push_back(std::move(c));
  }
  return cases;
}

void CheckGifOutcome(const GifCase& c, const GifOutcome& outcome) {
  EXPECT_EQ(outcome.transcript, c.transcript);
  // Frames written whole come back as they were, unless the case says what each frame holds.
  std::map<size_t, std::vector<uint8_t>> expected = c.decoded;
  for (size_t i = 0; c.decoded.empty() && i < c.written.size() && i < outcome.frames.size(); ++i) {
    if (c.written[i]) expected[i] = *c.written[i];
  }
  for (const auto& [index, pixels] : expected) {
    ASSERT_LT(index, outcome.frames.size());
    std::string digits;
    for (uint8_t pixel : outcome.frames[index]) digits += pixel < kDigits.size() ? kDigits[pixel] : '?';
    EXPECT_EQ(outcome.frames[index], pixels) << "frame " << index << ": " << digits;
  }
  // The pictures in the case's letters: "." where alpha is 0, "?" for a colour it does not name.
  const std::string header = "P7\nWIDTH " + std::to_string(c.width) + "\nHEIGHT " + std::to_string(c.height) +
                             "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  ASSERT_TRUE(c.composed.empty() || outcome.composed.size() == c.composed.size()) << outcome.composed.size();
  for (size_t i = 0; i < c.composed.size(); ++i) {
    const std::string& pam = outcome.composed[i];
    ASSERT_EQ(pam.substr(0, header.size()), header);
    std::string letters;
    for (size_t at = header.size(); at + 4 <= pam.size(); at += 4) {
      letters += pam[at + 3] == 0 ? '.' : '?';
      for (const auto& [name, rgb] : c.colors) {
        if (pam.compare(at, 4, {char(rgb.r), char(rgb.g), char(rgb.b), char(255)}) == 0) letters.back() = name;
      }
    }
    EXPECT_EQ(letters, c.composed[i]) << "composed " << i;
  }
}
