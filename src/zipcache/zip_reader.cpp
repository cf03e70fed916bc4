// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/zip_reader.h"

#include <archive.h>
#include <archive_entry.h>

namespace kivo::zipcache {

namespace {

constexpr size_t kReadBlock = 256 * 1024;

archive* NewZipReader() {
  archive* reader = archive_read_new();
  if (reader) archive_read_support_format_zip(reader);
  return reader;
}

}  // namespace

ZipReader::ZipReader(const std::string& archivePath) : file_(std::in_place, archivePath), reader_(NewZipReader()) {
  if (reader_ &&
      (file_->Descriptor() < 0 || archive_read_open_fd(reader_, file_->Descriptor(), kReadBlock) != ARCHIVE_OK)) {
    archive_read_free(reader_);
    reader_ = nullptr;
  }
}

ZipReader::ZipReader(std::string_view bytes) : reader_(NewZipReader()) {
  if (reader_ && archive_read_open_memory(reader_, bytes.data(), bytes.size()) != ARCHIVE_OK) {
    archive_read_free(reader_);
    reader_ = nullptr;
  }
}

ZipReader::~ZipReader() {
  if (reader_) archive_read_free(reader_);
}

const char* MemberName(archive_entry* entry) {
#ifdef _WIN32
  return archive_entry_pathname_utf8(entry);
#else
  return archive_entry_pathname(entry);
#endif
}

}  // namespace kivo::zipcache
