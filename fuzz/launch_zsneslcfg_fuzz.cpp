// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// zsnesl.cfg belongs to the native emulator and may hold anything: setting KIVO's keys must take any
// bytes, keep every line that is not one of its keys byte for byte, leave each of its keys with the
// value set, and change nothing when applied again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "launch/zsnesl_cfg.h"

using namespace kivo::launch;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<NativeCfgSetting> set = {
      {"frameskip", "3"}, {"guioff", "1"}, {"SnapPath", "\"/s p/\""}, {"ROMPath", "\"/a\nb\""}};
  std::string out = RewriteZsneslCfg(input, set);
  Check(RewriteZsneslCfg(out, set) == out);

  // Lines are only ever changed in place, or appended at the end.
  std::vector<std::string_view> before = Lines(input);
  std::vector<std::string_view> after = Lines(out);
  Check(after.size() >= before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    std::string_view was = before[i];
    std::string_view now = after[i];
    if (was.ends_with('\n')) Check(now.ends_with('\n'));
    // A last line without its end gets one when a line is appended after it.
    if (was == now || (i + 1 == before.size() && now.size() == was.size() + 1 && now.starts_with(was))) continue;
    // A changed line is a line of one of the keys, and holds its value.
    size_t start = now.find_first_not_of(" \t\r\n\v\f");
    Check(start != std::string_view::npos);
    bool ours = false;
    for (const NativeCfgSetting& setting : set) {
      if (now.substr(start).starts_with(setting.key) && now.find(setting.value) != std::string_view::npos) ours = true;
    }
    Check(ours);
  }
  // The value holding a line break is never written.
  Check(out.find("\"/a\nb\"") == std::string::npos || input.find("\"/a\nb\"") != std::string_view::npos);
  return 0;
}
