// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The settings file reader and writer on arbitrary bytes: parsing, reading the keys the program
// reads, and rewriting a value must never crash, and a rewrite must keep the value readable. A name
// taken from the input is either refused for writing and never found, or written and read back:
// lookups and writes agree on what a name is.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/ini_document.h"
#include "app/settings_file.h"
#include "common/text.h"

using namespace kivo::app;
using namespace kivo::common;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  IniDocument doc{std::string(input)};
  ReadIniString(doc, "General", "ZSNESPath", "");
  ReadIniInteger(doc, "Default", "CPUCycles", 100);
  ReadIniBool(doc, "Configs", "Zelda", false);
  IniDocument rewritten(doc.WithValue("General", "Volume", "42"));
  Check(ReadIniInteger(rewritten, "General", "Volume", -1) == 42);
  IniDocument added(doc.WithValue("New Section", "Key", "v"));
  Check(ReadIniString(added, "new section", "KEY", "") == "v");

  // The input's first three parts, split at byte 1, as a section, a key and a value.
  const size_t first = input.find('\1');
  const size_t second = first == std::string_view::npos ? first : input.find('\1', first + 1);
  if (second == std::string_view::npos) return 0;
  const std::string_view section = input.substr(0, first);
  const std::string_view key = input.substr(first + 1, second - first - 1);
  const std::string_view rest = input.substr(second + 1);
  const std::string_view value = rest.substr(0, rest.find_first_of("\r\n"));
  std::string_view found;
  if (!IniDocument::CanHoldSection(section) || !IniDocument::CanHoldKey(key)) {
    Check(!doc.Find(section, key, found));
    return 0;
  }
  IniDocument written(doc.WithValue(section, key, value));
  Check(written.Find(section, key, found) && found == TrimBlanks(value));
  return 0;
}
