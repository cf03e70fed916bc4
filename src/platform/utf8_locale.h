// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

// The text encoding the calling thread's C library assumes for multibyte text.
namespace kivo::platform {

// While alive, the calling thread converts multibyte text as UTF-8 whatever the process's locale,
// so a library that converts names it reads (ZIP member names flagged as UTF-8) yields their UTF-8
// bytes rather than failing under the plain "C" locale. Other threads are not affected. Where the
// system has no UTF-8 locale, nothing changes; that is Windows' C library, where the archive reader
// is asked for UTF-8 names itself.
class ScopedUtf8Locale {
 public:
  ScopedUtf8Locale();
  ~ScopedUtf8Locale();
  ScopedUtf8Locale(const ScopedUtf8Locale&) = delete;
  ScopedUtf8Locale& operator=(const ScopedUtf8Locale&) = delete;

 private:
  void* previous_ = nullptr;  // the thread's locale before, restored at the end
};

}  // namespace kivo::platform
