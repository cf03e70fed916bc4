// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/utf8_locale.h"

#include <locale.h>

namespace kivo::platform {
namespace {

// Made once and kept for the life of the program: creating a locale reads the system's locale files.
locale_t Utf8Locale() {
  static const locale_t locale = [] {
    locale_t made = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (made == static_cast<locale_t>(nullptr)) {
      made = ::newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
    }
    return made;
  }();
  return locale;
}

}  // namespace

ScopedUtf8Locale::ScopedUtf8Locale() {
  locale_t utf8 = Utf8Locale();
  if (utf8 != static_cast<locale_t>(nullptr)) previous_ = ::uselocale(utf8);
}

ScopedUtf8Locale::~ScopedUtf8Locale() {
  if (previous_ != nullptr) ::uselocale(static_cast<locale_t>(previous_));
}

}  // namespace kivo::platform
