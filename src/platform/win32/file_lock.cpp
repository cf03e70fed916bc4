// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/file_lock.h"

#include "platform/win32/file_io.h"
#include "platform/win32/win_path.h"

namespace kivo::platform {

FileLock::FileLock(const std::string& path) {
  // Reading is enough for LockFileEx, and works on a lock file another user created. A link in the
  // file's place is opened as itself and refused, so the lock never creates a file elsewhere; the
  // handle is not inheritable, so a started emulator does not keep the lock after this program.
  // Without delete sharing the file cannot be removed or renamed while anyone has it open.
  const std::wstring wide = win32::WidePath(path);
  if (wide.empty() || win32::IsReservedDeviceName(win32::NameOf(wide))) return;
  win32::Handle file(::CreateFileW(wide.c_str(), GENERIC_READ, win32::kHoldingShare, nullptr, OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.IsValid()) return;
  const std::optional<win32::FileFacts> facts = win32::FactsOfHandle(file.Get());
  if (!facts || facts->IsFolder() || facts->IsLink()) return;
  // The lock belongs to the handle, so a second FileLock of this process, with a handle of its own,
  // is refused as another process is. The whole range is locked, the empty file's bytes or not.
  OVERLAPPED whole{};
  if (!::LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
    return;
  }
  fd_ = win32::AdoptHandle(std::move(file));
}

FileLock::~FileLock() { Release(); }

// Closing the handle drops the lock; the system drops it too when the process ends.
void FileLock::Release() { win32::CloseDescriptor(fd_); }

}  // namespace kivo::platform
