// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/files.h"

#include <atomic>
#include <mutex>

#include "platform/fault_seams.h"
#include "platform/win32/file_io.h"
#include "platform/win32/wide.h"
#include "platform/win32/win_path.h"

namespace kivo::platform {

namespace {

// 100-nanosecond ticks from 1601-01-01, where FILETIME counts from, to the Unix epoch.
constexpr int64_t kTicksBeforeUnixEpoch = 116444736000000000;

std::optional<win32::FileFacts> FactsOf(const std::string& path) { return win32::FactsOf(win32::WidePath(path)); }

}  // namespace

bool FileExists(const std::string& path) {
  const std::optional<win32::FileFacts> facts = FactsOf(path);
  return facts && !facts->IsFolder();
}

bool DirectoryExists(const std::string& path) {
  const std::optional<win32::FileFacts> facts = FactsOf(path);
  return facts && facts->IsFolder();
}

bool IsWritableFolder(const std::string& path) {
  if (!DirectoryExists(path)) return false;
  // Asked by trying: the folder's ACL, a read-only medium, a share's own rules and a policy that
  // guards folders against unknown programs all answer the attempt, and no reading of ACLs sees
  // all of them. The file is gone again when its handle closes.
  static std::atomic<unsigned> counter{0};
  const std::wstring folder = win32::WidePath(path);
  for (int attempt = 0; attempt < 4; ++attempt) {
    const std::wstring probe = win32::JoinPath(folder, L".kivo-write-test." + std::to_wstring(::GetCurrentProcessId()) +
                                                           L"." + std::to_wstring(counter.fetch_add(1)));
    win32::Handle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file.IsValid()) return true;
    if (::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit) {
  return ReadFile(path, bytes, limit) == ReadStatus::kRead;
}

bool DeleteFile(const std::string& path) {
  return !seams::DeleteFaultFor(path) && ::DeleteFileW(win32::WidePath(path).c_str()) != 0;
}

bool IsReadOnlyFile(const std::string& path) {
  const std::optional<win32::FileFacts> facts = FactsOf(path);
  return facts && !facts->IsFolder() && (facts->attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Windows gives files ACLs rather than modes: who else may change a file is a question of its ACL
// entries, which KIVO neither made nor reads, so no one else counts as a writer here.
OtherWriters WhoElseCanChange(const std::string&) { return OtherWriters::kNone; }

// No file of an earlier KIVO on Windows was made writable by everyone: there is nothing to undo.
bool MakeEveryonesFilePrivate(const std::string&) { return false; }

std::optional<FileFacts> StatFile(const std::string& path) {
  // FactsOf refuses a device name, and a pipe is no file on a disk: what it gives is a folder or a file.
  const std::optional<win32::FileFacts> facts = FactsOf(path);
  if (!facts) return std::nullopt;
  const int64_t ticks =
      static_cast<int64_t>((static_cast<uint64_t>(facts->modified.dwHighDateTime) << 32) | facts->modified.dwLowDateTime);
  return FileFacts{static_cast<int64_t>(facts->size), (ticks - kTicksBeforeUnixEpoch) * 100, !facts->IsFolder()};
}

std::optional<FileFacts> StatFileAndReadStart(const std::string& path, size_t count,
                                              const std::function<bool(const FileFacts&)>& wanted, std::string& bytes) {
  bytes.clear();
  const std::optional<FileFacts> facts = StatFile(path);
  if (facts && facts->regular && wanted(*facts)) bytes = ReadFileStart(path, count);
  return facts;
}

std::optional<int64_t> ModifiedTime(const std::string& path) {
  const std::optional<FileFacts> facts = StatFile(path);
  if (!facts) return std::nullopt;
  return facts->modified;
}

bool MoveFile(const std::string& from, const std::string& to) {
  const std::optional<win32::FileFacts> source = FactsOf(from);
  if (!source || source->IsFolder()) return false;
  // Without MOVEFILE_REPLACE_EXISTING an existing target is refused by the move itself, so no file
  // can be replaced between a check and the move. Across volumes the file is copied, and the source
  // removed once the copy is complete.
  return ::MoveFileExW(win32::WidePath(from).c_str(), win32::WidePath(to).c_str(),
                       MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != 0;
}

bool CreateDirectory(const std::string& path) {
  return !path.empty() && ::CreateDirectoryW(win32::WidePath(path).c_str(), nullptr) != 0;
}

bool CreateDirectoryPath(const std::string& path) {
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  const std::wstring wide = win32::WidePath(path);
  const std::wstring parent = win32::ParentOf(wide);
  if (!parent.empty() && parent != wide && !CreateDirectoryPath(win32::WideToUtf8(parent))) return false;
  // Another program may have made it meanwhile.
  return ::CreateDirectoryW(wide.c_str(), nullptr) != 0 || DirectoryExists(path);
}

}  // namespace kivo::platform
