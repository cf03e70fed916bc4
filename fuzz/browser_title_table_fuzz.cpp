// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// titles.tbl lies in the cache folder, which other programs and the user can write: its reader must
// take any bytes, keep only whole records within its bounds, and what it writes must read back as
// the same records, names byte for byte. A table read from the bytes (as a start finds the file)
// serves exactly the records the reader gave.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "browser/title_table.h"

using namespace kivo::browser;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<TitleLine> lines = TitleTable::Parse(input);
  Check(lines.size() <= TitleTable::kMaxRecords);
  for (const TitleLine& line : lines) Check(!line.path.empty() && line.record.size >= 0);

  const std::string written = TitleTable::Format(lines);
  Check(written.size() <= TitleTable::kMaxFileBytes);
  Check(TitleTable::Parse(written) == lines);
  Check(TitleTable::Format(TitleTable::Parse(written)) == written);

  // The bytes as one record's texts: any bytes are kept through the file.
  std::string text(input.substr(0, input.size() / 2)), rest(input.substr(input.size() / 2));
  if (!text.empty()) {
    const TitleLine line{text, TitleRecord{static_cast<std::int64_t>(size), -static_cast<std::int64_t>(size),
                                           kivo::rom::RomTitle{rest, text}}};
    const std::vector<TitleLine> back = TitleTable::Parse(TitleTable::Format({line}));
    Check(back.size() == 1 && back.front() == line);
  }
  return 0;
}
