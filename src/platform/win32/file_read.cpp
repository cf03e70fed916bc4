// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cstring>

#include "platform/files.h"
#include "platform/fault_seams.h"
#include "platform/win32/file_io.h"
#include "platform/win32/win_path.h"

namespace kivo::platform {
namespace {

// One ReadFile call reads at most a DWORD's worth; a gigabyte at a time keeps well below it.
constexpr size_t kLargestRead = size_t{1} << 30;

// The bytes read into `data`: 0 at the end of the file, -1 on an error.
long long ReadSome(HANDLE file, char* data, size_t size) {
  DWORD n = 0;
  if (!::ReadFile(file, data, static_cast<DWORD>(std::min(size, kLargestRead)), &n, nullptr)) return -1;
  return n;
}

// Why a path that would not open for reading gives no bytes.
ReadStatus RefusalOf(const std::wstring& path, DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) {
    return ReadStatus::kMissing;
  }
  // A folder does not open as a file (access is denied): it is no file, as FileExists has it.
  const std::optional<win32::FileFacts> facts = win32::FactsOf(path);
  return facts && facts->IsFolder() ? ReadStatus::kMissing : ReadStatus::kFailed;
}

// Opens a file for ReadFile: kRead with `file` and `size` set, or why not (and nothing left open).
ReadStatus OpenForReading(const std::string& path, win32::Handle& file, uint64_t& size, size_t limit) {
  const std::wstring wide = win32::WidePath(path);
  // A device's name (NUL, COM1) names the device in every folder: no regular file, never opened.
  if (wide.empty()) return ReadStatus::kMissing;
  if (win32::IsReservedDeviceName(win32::NameOf(wide))) return ReadStatus::kFailed;
  file = win32::OpenToRead(wide);
  if (!file.IsValid()) return RefusalOf(wide, ::GetLastError());
  const std::optional<win32::FileFacts> facts = win32::FactsOfHandle(file.Get());
  ReadStatus refused = ReadStatus::kRead;
  if (facts && facts->IsFolder()) {
    refused = ReadStatus::kMissing;
  } else if (!facts || seams::ReadFaultFor(path)) {
    refused = ReadStatus::kFailed;
  } else if (facts->size > limit) {
    refused = ReadStatus::kTooLarge;
  }
  if (refused != ReadStatus::kRead) {
    file.Close();
  } else {
    size = facts->size;
  }
  return refused;
}

// Reads the rest of an open file after the `bytes` already in, then closes it. The size is a hint
// only: the file may grow or shrink while it is read. The buffer is sized to it without clearing
// first, so a caller reading the same file again into the same string pays for no filling, and the
// read that finds the end goes to a small buffer of its own rather than doubling the string.
ReadStatus ReadRest(win32::Handle file, size_t sizeHint, std::string& bytes, size_t limit) {
  size_t used = bytes.size();
  bytes.resize(std::max(used, sizeHint));
  ReadStatus status = ReadStatus::kRead;
  for (;;) {
    long long n;
    if (used < bytes.size()) {
      n = ReadSome(file.Get(), bytes.data() + used, bytes.size() - used);
      if (n > 0) used += static_cast<size_t>(n);
    } else {
      char more[4096];
      n = ReadSome(file.Get(), more, sizeof more);
      if (n > 0) {
        if (bytes.size() + static_cast<size_t>(n) > limit) {
          status = ReadStatus::kTooLarge;
          break;
        }
        bytes.append(more, static_cast<size_t>(n));
        used = bytes.size();
      }
    }
    if (n < 0) status = ReadStatus::kFailed;
    if (n <= 0) break;
  }
  bytes.resize(status == ReadStatus::kRead ? used : 0);
  return status;
}

}  // namespace

ReadStatus ReadFile(const std::string& path, std::string& bytes, size_t limit) {
  win32::Handle file;
  uint64_t size = 0;
  bytes.clear();
  if (ReadStatus status = OpenForReading(path, file, size, limit); status != ReadStatus::kRead) return status;
  return ReadRest(std::move(file), static_cast<size_t>(size), bytes, limit);
}

ReadStatus ReadFileAgain(const std::string& path, const std::string& known, std::string& bytes, size_t limit,
                         bool& unchanged) {
  unchanged = false;
  win32::Handle file;
  uint64_t fileSize = 0;
  bytes.clear();
  if (ReadStatus status = OpenForReading(path, file, fileSize, limit); status != ReadStatus::kRead) return status;
  const size_t size = static_cast<size_t>(fileSize);
  if (size != known.size()) return ReadRest(std::move(file), size, bytes, limit);
  // Compared a piece at a time while the piece is fresh in the cache: a second pass over the whole
  // of a large file would cost as much as reading it.
  char piece[1 << 16];
  size_t matched = 0;
  for (;;) {
    const long long n = ReadSome(file.Get(), piece, sizeof piece);
    if (n < 0) return ReadStatus::kFailed;
    if (n == 0) break;
    const size_t got = static_cast<size_t>(n);
    if (got <= known.size() - matched && std::memcmp(known.data() + matched, piece, got) == 0) {
      matched += got;
      continue;
    }
    // Changed: what matched so far, this piece and the rest are the new bytes.
    if (matched + got > limit) return ReadStatus::kTooLarge;
    bytes.reserve(size);
    bytes.assign(known, 0, matched);
    bytes.append(piece, got);
    return ReadRest(std::move(file), size, bytes, limit);
  }
  if (matched == known.size()) {
    unchanged = true;
    return ReadStatus::kRead;
  }
  bytes.assign(known, 0, matched);  // the file ended early
  return ReadStatus::kRead;
}

ReadableFile::ReadableFile(const std::string& path) {
  const std::wstring wide = win32::WidePath(path);
  if (wide.empty() || win32::IsReservedDeviceName(win32::NameOf(wide))) return;
  win32::Handle file = win32::OpenToRead(wide);
  if (!file.IsValid() || seams::ReadFaultFor(path)) return;
  // A disk file only: a pipe or a device is refused rather than read (or waited on).
  const std::optional<win32::FileFacts> facts = win32::FactsOfHandle(file.Get());
  if (!facts || facts->IsFolder()) return;
  fd_ = win32::AdoptHandle(std::move(file));
}

ReadableFile::~ReadableFile() { win32::CloseDescriptor(fd_); }

std::string ReadFileStart(const std::string& path, size_t count) {
  ReadableFile file(path);
  std::string bytes(count, '\0');
  size_t used = 0;
  while (file.Descriptor() >= 0 && used < count) {
    const long long n = ReadSome(win32::HandleOf(file.Descriptor()), bytes.data() + used, count - used);
    if (n <= 0) break;
    used += static_cast<size_t>(n);
  }
  bytes.resize(used);
  return bytes;
}

}  // namespace kivo::platform
