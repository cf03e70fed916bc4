// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <algorithm>
#include <random>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/fault_seams.h"
#include "platform/win32/file_io.h"
#include "platform/win32/wide.h"
#include "platform/win32/win_path.h"

namespace kivo::platform {
namespace {

// Attributes a rewritten file keeps from the one it replaces; the rest are the system's to set.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// How long a replace waits for readers of the old file, in tries 10 ms apart.
constexpr int kReplaceTries = 50;

// The file a write to `path` replaces: the path itself, or the file a link there names, so that
// the link is written through rather than replaced (which would leave that file unchanged). Empty
// for a link that names nothing.
std::wstring WriteTarget(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return path;
  }
  const win32::Handle target = win32::OpenNamed(path);
  return target.IsValid() ? win32::FinalPath(target.Get()) : std::wstring();
}

// What the temporary files of writes to `target` are named after: ".<name>.tmp." beside it.
std::wstring TemporaryPrefix(const std::wstring& target) { return L"." + win32::NameOf(target) + L".tmp."; }

std::wstring FolderOf(const std::wstring& target) {
  const std::wstring folder = win32::ParentOf(target);
  return folder.empty() ? L"." : folder;
}

bool AllDigits(std::wstring_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The process that wrote a temporary file named "<pid>.<digits>" after its prefix; 0 when the name
// is not one WriteFileAtomic makes (a user's own ".kivo.ini.tmp.notes", say).
DWORD WriterOf(std::wstring_view rest) {
  const size_t dot = rest.find(L'.');
  if (dot == std::wstring_view::npos || dot > 10 || !AllDigits(rest.substr(0, dot)) || !AllDigits(rest.substr(dot + 1)))
    return 0;
  const unsigned long long pid = std::stoull(std::wstring(rest.substr(0, dot)));
  return pid > 0xFFFFFFFFULL ? 0 : static_cast<DWORD>(pid);
}

// True when no process of that number runs any more. One that runs as another user cannot be
// opened, which says it is there all the same.
bool WriterIsGone(DWORD pid) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  // A process that has ended stays openable while anyone holds a handle to it.
  const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  ::CloseHandle(process);
  return ended;
}

void RemoveStaleTemporaries(const std::wstring& target) {
  const std::wstring prefix = TemporaryPrefix(target);
  const std::wstring folder = FolderOf(target);
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileExW(win32::JoinPath(folder, prefix + L"*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<std::wstring> stale;
  do {
    const std::wstring_view name = found.cFileName;
    // Only files: a folder or a link of that name is no write of ours.
    if (!name.starts_with(prefix) || (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
      continue;
    // A writer that is still there may still be writing.
    const DWORD pid = WriterOf(name.substr(prefix.size()));
    if (pid != 0 && WriterIsGone(pid)) stale.emplace_back(name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  for (const std::wstring& name : stale) ::DeleteFileW(win32::JoinPath(folder, name).c_str());
}

// Renames the finished file over the target in one step, which returns only once it is on the disk.
// A file that someone has open cannot be replaced on Windows, whatever it shares (only the
// rename of Windows 10's POSIX semantics could, which not every file system has): the window
// reading kivo.ini while kivo-tool writes it, or a virus scanner looking at the new file, holds it
// for a moment, so the rename is tried again for a while before the write counts as refused.
bool ReplaceTarget(const std::wstring& temp, const std::wstring& target) {
  for (int attempt = 1;; ++attempt) {
    if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = ::GetLastError();
    if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) || attempt == kReplaceTries) return false;
    ::Sleep(10);
  }
}

std::wstring NewTemporaryName(const std::wstring& target) {
  std::random_device random;
  return win32::JoinPath(FolderOf(target), TemporaryPrefix(target) + std::to_wstring(::GetCurrentProcessId()) + L"." +
                                               std::to_wstring(random() & 0xFFFFFF));
}

}  // namespace

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
  if (seams::WriteFaultFor(path)) return false;
  const std::wstring target = WriteTarget(win32::WidePath(path));
  if (target.empty() || win32::IsReservedDeviceName(win32::NameOf(target))) return false;
  RemoveStaleTemporaries(target);

  WIN32_FILE_ATTRIBUTE_DATA old{};
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  if (::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old)) {
    if ((old.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    // The read-only attribute is what a file without write permission is on Windows: refused,
    // whoever asks.
    if ((old.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    if ((old.dwFileAttributes & kKeptAttributes) != 0) attributes = old.dwFileAttributes & kKeptAttributes;
  }
  // The new file gets the ACL its folder hands down, as the old one had unless it was given its own.
  const std::wstring temp = NewTemporaryName(target);
  win32::Handle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
  if (!file.IsValid()) return false;
  bool ok = win32::WriteAll(file.Get(), bytes.data(), bytes.size());
  ok = ok && ::FlushFileBuffers(file.Get()) != 0;
  file.Close();
  ok = ok && ReplaceTarget(temp, target);
  if (!ok) ::DeleteFileW(temp.c_str());
  return ok;
}

void RemoveInterruptedWrites(const std::string& path) {
  const std::wstring target = win32::WidePath(path);
  if (!target.empty()) RemoveStaleTemporaries(target);
}

}  // namespace kivo::platform
