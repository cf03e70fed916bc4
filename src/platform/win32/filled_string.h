// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace kivo::platform::win32 {

// The string a system call writes into a caller's buffer, the buffer grown until it fits. `fill`
// gets the buffer and its size in characters and returns what the call does: the length written,
// or the size needed (terminating zero included) when the buffer was too small, or 0 on failure.
template <typename Fill>
std::wstring FilledString(Fill fill) {
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = fill(text.data(), static_cast<DWORD>(text.size()));
    if (n == 0) return {};
    if (n < text.size()) {
      text.resize(n);
      return text;
    }
    text.resize(static_cast<size_t>(n) + 1);
  }
}

}  // namespace kivo::platform::win32
