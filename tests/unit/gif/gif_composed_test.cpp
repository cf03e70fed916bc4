// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The frames as the preview shows them, through kivo-tool gif FILE OUTDIR --composed: every case
// in tests/data/gif_composed/ (its README gives the format) is built into a GIF, run through the
// tool, and each composed picture compared with the one the case draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/gif_builder.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"

namespace {

struct ComposedCase {
  std::string gif;
  int width = 0, height = 0;
  std::map<char, GifRgb> colors;
  std::vector<std::string> expected;  // the screen after each frame, its rows one after the other
};

int Disposal(const std::string& name) {
  static const std::map<std::string, int> kDisposals = {{"none", 0}, {"keep", 1}, {"background", 2}, {"previous", 3}};
  auto found = kDisposals.find(name);
  if (found == kDisposals.end()) throw std::runtime_error("unknown disposal " + name);
  return found->second;
}

std::string Rows(std::istream& in, int count) {
  std::string rows, row;
  for (int i = 0; i < count && in >> row; ++i) rows += row;
  return rows;
}

ComposedCase ReadCase(const std::filesystem::path& file) {
  ComposedCase c;
  std::ifstream in(file);
  GifBuilder builder;
  std::vector<char> letters;  // palette index -> letter
  std::string word;
  while (in >> word) {
    if (word[0] == '#') {
      std::getline(in, word);
    } else if (word == "screen") {
      in >> c.width >> c.height;
    } else if (word == "colors") {
      std::string line;
      std::getline(in, line);
      std::istringstream pairs(line);
      std::vector<GifRgb> table;
      for (std::string letter, hex; pairs >> letter >> hex;) {
        const auto value = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
        c.colors[letter[0]] = {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
        table.push_back(c.colors[letter[0]]);
        letters.push_back(letter[0]);
      }
      while (table.size() < 2 || (table.size() & (table.size() - 1)) != 0) table.push_back({});
      builder.Screen(c.width, c.height, table);
    } else if (word == "control") {
      std::string disposal, transparent;
      int delay = 0;
      in >> disposal >> delay >> transparent;
      std::optional<uint8_t> index;
      if (transparent != "-")
        index = static_cast<uint8_t>(std::find(letters.begin(), letters.end(), transparent[0]) - letters.begin());
      builder.GraphicControl(Disposal(disposal), delay, index);
    } else if (word == "frame") {
      GifFrameSpec frame;
      in >> frame.left >> frame.top >> frame.width >> frame.height;
      for (char letter : Rows(in, frame.height))
        frame.pixels.push_back(
            static_cast<uint8_t>(std::find(letters.begin(), letters.end(), letter) - letters.begin()));
      frame.lzw.minCodeSize = 2;
      builder.Frame(frame);
    } else if (word == "composed") {
      size_t index = 0;
      in >> index;
      if (index != c.expected.size()) throw std::runtime_error("composed pictures out of order");
      c.expected.push_back(Rows(in, c.height));
    } else {
      throw std::runtime_error("unknown line " + word);
    }
  }
  c.gif = builder.Trailer().Bytes();
  return c;
}

// The picture of a PAM as the case writes it: the letter of each pixel's colour, "." where alpha is
// 0, "?" for anything else; "bad header" when the header is not the RGBA PAM of the screen's size.
std::string Letters(const std::string& pam, const ComposedCase& c) {
  const std::string header = "P7\nWIDTH " + std::to_string(c.width) + "\nHEIGHT " + std::to_string(c.height) +
                             "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  if (pam.compare(0, header.size(), header) != 0 || pam.size() != header.size() + size_t(c.width * c.height) * 4)
    return "bad header";
  std::string letters;
  for (size_t at = header.size(); at < pam.size(); at += 4) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(pam[at + i]); };
    char letter = byte(3) == 0 ? '.' : '?';
    for (const auto& [name, rgb] : c.colors) {
      if (byte(3) == 255 && byte(0) == rgb.r && byte(1) == rgb.g && byte(2) == rgb.b) letter = name;
    }
    letters += letter;
  }
  return letters;
}

TEST(GifComposed, EveryCaseDrawsItsPictures) {
  TempDir dir;
  std::filesystem::copy_file(KIVO_TOOL, dir / "kivo-tool");
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(KIVO_TEST_DATA "/gif_composed")) {
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 5u);
  for (const std::filesystem::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const ComposedCase c = ReadCase(file);
    const std::string out = dir / file.stem().string();
    std::filesystem::create_directory(out);
    WriteTestFile(out + ".gif", c.gif);
    const ToolRun run =
        RunTool(dir, dir / "kivo-tool", "gif " + file.stem().string() + ".gif " + file.stem().string() + " --composed",
                dir.Path());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    for (size_t i = 0; i < c.expected.size(); ++i) {
      char name[48];
      std::snprintf(name, sizeof name, "/composed-%03zu.pam", i);
      EXPECT_EQ(Letters(ReadTestFile(out + name), c), c.expected[i]) << "composed " << i;
    }
    EXPECT_FALSE(
        std::filesystem::exists(out + "/composed-" + std::to_string(1000 + c.expected.size()).substr(1) + ".pam"))
        << "more pictures than frames";
  }
}

}  // namespace
