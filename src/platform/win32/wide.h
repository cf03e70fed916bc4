// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The core keeps text as UTF-8 bytes; Windows takes and gives UTF-16. Every conversion between the
// two goes through this pair.
namespace kivo::platform::win32 {

// Bytes that are no UTF-8 become U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
// A lone surrogate (a name no UTF-16 rules made) becomes U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace kivo::platform::win32
