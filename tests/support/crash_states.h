// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <string>

// The values of kivo.ini's counter that the crash-consistency writer steps through. State N is N
// and a run of one letter (within the longest value a read returns), so a value holding parts of
// two states passes for neither.
inline std::string CrashStateValue(long state) {
  return std::to_string(state) + ":" + std::string(1000, static_cast<char>('a' + state % 26));
}

// The state a value holds; -1 when it is no state's value (0 for no value: the start).
inline long CrashStateOf(const std::string& value) {
  const long state = std::atol(value.c_str());
  return value.empty() ? 0 : state > 0 && value == CrashStateValue(state) ? state : -1;
}
