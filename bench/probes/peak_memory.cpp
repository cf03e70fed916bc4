// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "peak_memory.h"

#include <cstring>
#include <fstream>

namespace {

size_t StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const size_t length = std::strlen(field);
  while (std::getline(status, line)) {
    if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
      return std::stoul(line.substr(length + 1)) * 1024;
  }
  return 0;
}

}  // namespace

size_t ResetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusBytes("VmRSS");
}

size_t PeakMemoryAbove(size_t baseline) {
  const size_t peak = StatusBytes("VmHWM");
  return peak > baseline ? peak - baseline : 0;
}

bool WritePeakMemory(const std::string& path, size_t bytes) {
  std::ofstream file(path);
  file << bytes << '\n';
  return static_cast<bool>(file.flush());
}
