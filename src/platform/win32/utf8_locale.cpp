// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/utf8_locale.h"

namespace kivo::platform {

// Nothing to switch on Windows. libarchive converts a UTF-8 member name to the C library's
// multibyte text, and under the "C" locale, which KIVO's programs keep (neither they nor Qt call
// setlocale on Windows), that is the process's ANSI code page. The application manifest makes that
// code page UTF-8, so the names come back as their UTF-8 bytes. Where the system does not honour
// the manifest (before Windows 10 1903) there is no UTF-8 locale to switch to either: the C library
// of these builds, msvcrt, has none.
ScopedUtf8Locale::ScopedUtf8Locale() = default;

ScopedUtf8Locale::~ScopedUtf8Locale() = default;

}  // namespace kivo::platform
