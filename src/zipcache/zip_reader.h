// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/utf8_locale.h"

struct archive;
struct archive_entry;

namespace kivo::zipcache {

// libarchive's reader of ZIP archives, opened on a file or on bytes in memory, as every reader of
// archives here opens it. While it is alive, the thread reads member names flagged as UTF-8 as such:
// under the "C" locale their conversion fails for every non-ASCII name, while names without the flag
// pass through as their bytes.
class ZipReader {
 public:
  // Only a regular file: a FIFO named like an archive would block the caller for good.
  explicit ZipReader(const std::string& archivePath);
  // The bytes must outlive the reader.
  explicit ZipReader(std::string_view bytes);
  ~ZipReader();
  ZipReader(const ZipReader&) = delete;
  ZipReader& operator=(const ZipReader&) = delete;

  // Null when the archive could not be opened.
  archive* Get() const { return reader_; }

 private:
  platform::ScopedUtf8Locale utf8_;
  std::optional<platform::ReadableFile> file_;
  archive* reader_ = nullptr;
};

// The member's name as the system's file calls take it; null when it cannot be converted. On Windows
// that is UTF-8 whatever the code page, since the platform layer converts to UTF-16 itself: the plain
// name would come in the ANSI code page, and a name flagged UTF-8 would lose every letter that code
// page lacks.
const char* MemberName(archive_entry* entry);

}  // namespace kivo::zipcache
