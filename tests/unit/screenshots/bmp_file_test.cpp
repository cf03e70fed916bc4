// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Whether a BMP file holds all its pixels, for every case in tests/data/bmp/ (its README gives the
// form).
#include "screenshots/bmp_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "support/case_words.h"

using namespace kivo::screenshots;

namespace {

void Put(std::string& out, int64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// The file the fields describe; the size in the file header is left 0, as writers disagree about it
// and nobody trusts it.
std::string Bmp(std::map<std::string, int64_t> f) {
  const int64_t header = f.try_emplace("header", 40).first->second, palette = f["palette"];
  const int size = header == 12 ? 2 : 4;
  std::string out = "BM";
  Put(out, 0, 8);
  Put(out, f.try_emplace("offset", 14 + header + palette).first->second, 4);
  Put(out, header, 4);
  Put(out, f.try_emplace("width", 3).first->second, size);
  Put(out, f.try_emplace("height", 2).first->second, size);
  Put(out, 1, 2);
  Put(out, f.try_emplace("bpp", 24).first->second, 2);
  if (header != 12) {
    Put(out, f["compression"], 4);
    Put(out, f["datasize"], 4);
    out.resize(14 + header, '\0');
  }
  out.append(palette, '\0').append(f["pixels"], '\x5A');
  return out.substr(0, f.try_emplace("size", out.size()).first->second);
}

const std::set<std::string> kFields = {"header",   "width",   "height", "bpp",    "compression",
                                       "datasize", "palette", "offset", "pixels", "size"};

TEST(BmpFile, EveryCaseIsJudgedAsItSays) {
  for (const std::vector<CaseStatement>& cases : ReadCaseStatements("bmp")) {
    for (const CaseStatement& c : cases) {
      std::map<std::string, int64_t> fields;
      std::string signature = "BM";
      for (size_t i = 2; i < c.words.size(); ++i) {
        const size_t equals = c.words[i].find('=');
        const std::string name = c.words[i].substr(0, equals), value = c.words[i].substr(equals + 1);
        if (name == "signature") {
          signature = value;
        } else if (kFields.count(name) == 0) {
          ADD_FAILURE() << c.where << ": no field " << name;
        } else {
          fields[name] = std::stoll(value);
        }
      }
      std::string bytes = Bmp(fields);
      bytes.replace(0, std::min<size_t>(2, bytes.size()), signature.substr(0, bytes.size()));
      EXPECT_EQ(BmpFileComplete(bytes), c.words.at(0) == "complete") << c.where << " " << c.words.at(1);
    }
  }
}

}  // namespace
