// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/crash_states.h"

#include <cstdlib>

#include "app/ini_document.h"

using namespace kivo::app;

namespace {

constexpr size_t kRunLength = 1000;  // within the longest value a read returns
constexpr int kStartLines = 8000;

}  // namespace

std::string CrashStateValue(long state) {
  return std::to_string(state) + ":" + std::string(kRunLength, static_cast<char>('a' + state % 26));
}

long CrashStateOf(const std::string& value) {
  if (value.empty()) return 0;
  char* end = nullptr;
  long state = std::strtol(value.c_str(), &end, 10);
  if (end == nullptr || *end != ':' || state <= 0) return -1;
  return value == CrashStateValue(state) ? state : -1;
}

std::string CrashStartFile() {
  std::string text = "[Zelda]\n";
  for (int line = 0; line < kStartLines; ++line) text += "Key" + std::to_string(line) + "=some value of the game\n";
  return text;
}

std::string CrashStateFile(long state) {
  return state == 0 ? CrashStartFile()
                    : IniDocument(CrashStartFile()).WithValue("General", "Counter", CrashStateValue(state));
}
