// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/win32/file_io.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>

#include "platform/win32/filled_string.h"
#include "platform/win32/win_path.h"

namespace kivo::platform::win32 {
namespace {

// One WriteFile call writes at most a DWORD's worth; a gigabyte at a time keeps well below it.
constexpr size_t kLargestWrite = size_t{1} << 30;

FileFacts FactsFrom(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, FILETIME modified) {
  return {attributes, (static_cast<uint64_t>(sizeHigh) << 32) | sizeLow, modified};
}

std::wstring FinalPathAs(HANDLE handle, DWORD form) {
  return FilledString([handle, form](wchar_t* buffer, DWORD size) {
    return ::GetFinalPathNameByHandleW(handle, buffer, size, form);
  });
}

// True when the handle is open on a folder (and, unless `linkAllowed`, on no link).
bool IsFolderHandle(HANDLE handle, bool linkAllowed) {
  const std::optional<FileFacts> facts = FactsOfHandle(handle);
  return facts && facts->IsFolder() && (linkAllowed || !facts->IsLink());
}

}  // namespace

Handle& Handle::operator=(Handle&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.Release();
  }
  return *this;
}

HANDLE Handle::Release() {
  HANDLE handle = handle_;
  handle_ = INVALID_HANDLE_VALUE;
  return handle;
}

void Handle::Close() {
  if (IsValid()) ::CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

int AdoptHandle(Handle handle) {
  if (!handle.IsValid()) return -1;
  // Binary, as no _O_TEXT is given; the descriptor owns the handle from here on.
  const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle.Get()), _O_RDONLY | _O_NOINHERIT);
  if (descriptor >= 0) handle.Release();
  return descriptor;
}

HANDLE HandleOf(int descriptor) {
  return descriptor < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
}

void CloseDescriptor(int& descriptor) {
  if (descriptor >= 0) ::_close(descriptor);
  descriptor = -1;
}

bool WriteAll(HANDLE file, const char* data, size_t size) {
  while (size > 0) {
    DWORD written = 0;
    const DWORD piece = static_cast<DWORD>(std::min(size, kLargestWrite));
    if (!::WriteFile(file, data, piece, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

Handle OpenToRead(const std::wstring& path) {
  return Handle(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                              nullptr));
}

Handle OpenNamed(const std::wstring& path) {
  return Handle(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::optional<FileFacts> FactsOf(const std::wstring& path) {
  if (path.empty() || IsReservedDeviceName(NameOf(path))) return std::nullopt;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return FactsFrom(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
  }
  // These attributes are the link's own: what it names is found by opening it.
  const Handle target = OpenNamed(path);
  if (!target.IsValid()) return std::nullopt;
  return FactsOfHandle(target.Get());
}

std::optional<FileFacts> FactsOfHandle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return FactsFrom(info.dwFileAttributes, info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
}

std::wstring FinalPath(HANDLE handle) {
  // A volume mounted in a folder only has no DOS name; its GUID path opens as well.
  std::wstring path = FinalPathAs(handle, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  return path.empty() ? FinalPathAs(handle, FILE_NAME_NORMALIZED | VOLUME_NAME_GUID) : path;
}

Handle OpenFolder(const std::wstring& path, DWORD access, bool followLink) {
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  Handle folder(::CreateFileW(path.c_str(), access, kHoldingShare, nullptr, OPEN_EXISTING, flags, nullptr));
  if (folder.IsValid() && !IsFolderHandle(folder.Get(), followLink)) {
    folder.Close();
    ::SetLastError(ERROR_DIRECTORY);
  }
  return folder;
}

Handle OpenBelow(HANDLE folder, std::wstring_view name, DWORD access, DWORD disposition, DWORD flags) {
  const std::wstring path = JoinPath(FinalPath(folder), name);
  if (path.size() <= name.size()) {
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return {};
  }
  flags |= FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;
  Handle item(::CreateFileW(path.c_str(), access, kHoldingShare, nullptr, disposition, flags, nullptr));
  if (!item.IsValid()) return {};
  // The folder is held, so this only fails on a file system that renames folders with open items
  // below them: what was opened may then lie anywhere, and a new item is taken back.
  if (::CompareStringOrdinal(FinalPath(item.Get()).c_str(), -1, path.c_str(), -1, TRUE) != CSTR_EQUAL) {
    if (disposition == CREATE_NEW && (access & DELETE) != 0) DeleteOpenItem(item.Get());
    ::SetLastError(ERROR_ACCESS_DENIED);
    return {};
  }
  return item;
}

Handle OpenFolderBelow(HANDLE folder, std::wstring_view name, DWORD access) {
  Handle child = OpenBelow(folder, name, access, OPEN_EXISTING);
  if (child.IsValid() && !IsFolderHandle(child.Get(), false)) {
    child.Close();
    ::SetLastError(ERROR_DIRECTORY);
  }
  return child;
}

FolderItems ListFolder(HANDLE folder) {
  FolderItems items;
  // Aligned for the entries, which start on 8-byte boundaries.
  std::vector<LONGLONG> buffer(8192);
  const DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(LONGLONG));
  FILE_INFO_BY_HANDLE_CLASS kind = FileFullDirectoryRestartInfo;
  while (::GetFileInformationByHandleEx(folder, kind, buffer.data(), bytes)) {
    kind = FileFullDirectoryInfo;
    const char* at = reinterpret_cast<const char*>(buffer.data());
    for (;;) {
      const auto* entry = reinterpret_cast<const FILE_FULL_DIR_INFO*>(at);
      std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") {
        if ((entry->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
          items.links.push_back(std::move(name));
        } else {
          ((entry->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? items.folders : items.files).push_back(std::move(name));
        }
      }
      if (entry->NextEntryOffset == 0) break;
      at += entry->NextEntryOffset;
    }
  }
  return items;
}

bool DeleteOpenItem(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool DeleteEmptyFolder(const std::wstring& path) {
  const Handle folder = OpenFolder(path, kFolderAccess | DELETE, false);
  return folder.IsValid() && DeleteOpenItem(folder.Get());
}

bool DeleteEmptyFolderBelow(HANDLE folder, std::wstring_view name) {
  const Handle child = OpenFolderBelow(folder, name, kFolderAccess | DELETE);
  return child.IsValid() && DeleteOpenItem(child.Get());
}

}  // namespace kivo::platform::win32
