// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// ZSNES.CFG belongs to the emulator and may hold anything: the line rewriting must take any bytes,
// give well-formed CR LF lines, set every value on its first matching line and be stable when
// applied again.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/text.h"
#include "launch/zsnes_cfg.h"

using namespace kivo::common;
using namespace kivo::launch;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The value on the first line named `name`, if any line is.
bool FirstValue(std::string_view text, std::string_view name, std::string_view& value) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    std::string_view line = text.substr(start, end - start);
    size_t eq = line.find('=');
    if (eq != std::string_view::npos && EqualsNoCase(line.substr(0, eq), name)) {
      value = line.substr(eq + 1);
      return true;
    }
    start = end + 2;
  }
  return false;
}

// A zero byte is a byte of its line: it may be kept, but no value written brings one in.
void CheckWellFormed(const std::string& out, std::string_view input) {
  Check(std::count(out.begin(), out.end(), '\0') <= std::count(input.begin(), input.end(), '\0'));
  Check(out.empty() || out.ends_with("\r\n"));
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\r') Check(i + 1 < out.size() && out[i + 1] == '\n');
    if (out[i] == '\n') Check(i > 0 && out[i - 1] == '\r');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);

  const std::vector<CfgSetting> set = {{"FrameSkip ", "3"},          {"AutoFrameSkip ", " 0"},   {"GUIDisable ", " 1"},
                                       {"CopyMethod ", " 2"},        {"Scanlines ", "1"},        {"VSync ", "0"},
                                       {"SaveDirectory ", "/saves"}, {"GameDirectory ", "/roms"}};
  std::string out = RewriteZsnesCfg(input, set);
  CheckWellFormed(out, input);
  for (const CfgSetting& setting : set) {
    std::string_view value;
    Check(FirstValue(out, setting.name, value) && value == setting.value);
  }
  Check(RewriteZsnesCfg(out, set) == out);

  // Removing lines and refusing values that would inject lines.
  const std::vector<CfgSetting> remove = {{"SaveDirectory ", ""}, {"GameDirectory ", "/a\r\nVSync =9"}};
  std::string removed = RewriteZsnesCfg(input, remove);
  CheckWellFormed(removed, input);
  Check(removed.size() <= RewriteZsnesCfg(input, {}).size());

  // With nothing to set, every line stays: the text is the input's but for its line ends.
  std::string kept = RewriteZsnesCfg(input, {});
  std::string plain(input);
  for (std::string* text : {&kept, &plain}) std::erase_if(*text, [](char c) { return c == '\r' || c == '\n'; });
  Check(kept == plain);
  return 0;
}
