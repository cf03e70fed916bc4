// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/windows_api.h"

// Shared by the Windows file code.
namespace kivo::platform::win32 {

// A handle the object closes.
class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(Handle&& other) noexcept : handle_(other.Release()) {}
  Handle& operator=(Handle&& other) noexcept;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  HANDLE Release();
  void Close();

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The C library descriptor that takes over the handle (what the platform headers hand out as an int,
// and what libarchive reads from); -1, and the handle closed, when none can be made.
int AdoptHandle(Handle handle);
HANDLE HandleOf(int descriptor);
// Closes the descriptor, and with it its handle, and sets it to -1.
void CloseDescriptor(int& descriptor);

// Writes every byte.
bool WriteAll(HANDLE file, const char* data, size_t size);

// What stat() tells on POSIX, as far as the platform layer needs it.
struct FileFacts {
  DWORD attributes = 0;
  uint64_t size = 0;
  FILETIME modified{};
  bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool IsLink() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
};
// What the path names, links followed; nothing when nothing is there, or a device would be opened.
std::optional<FileFacts> FactsOf(const std::wstring& path);
// The facts of an open handle; nothing when it is no file or folder on a disk (a device, a pipe).
std::optional<FileFacts> FactsOfHandle(HANDLE handle);

// The full path of an open file or folder as the system resolved it, links included ("\\?\C:\...").
std::wstring FinalPath(HANDLE handle);

// Readers share everything, delete included: a writer may then still rename a new file over the
// one being read, which keeps its content for the reader.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens a file for reading its bytes from the start, links followed.
Handle OpenToRead(const std::wstring& path);
// Opens what the path names, links followed, for its attributes alone (a folder as well).
Handle OpenNamed(const std::wstring& path);

// Folders are held open with read and write sharing only: while held they cannot be renamed or
// removed, and NTFS and FAT do not rename a folder while anything below it is open either. So a path
// built from a held folder's final path stays inside it.
inline constexpr DWORD kHoldingShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
inline constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

// Opens a folder, following links in its path (and in its place, when `followLink`); invalid when the
// path names no folder, or a link where one is not followed.
Handle OpenFolder(const std::wstring& path, DWORD access, bool followLink);

// Opens the folder `name` of the held folder: invalid (ERROR_DIRECTORY) when a link or anything but
// a folder is there, or (the system's error) when nothing is.
Handle OpenFolderBelow(HANDLE folder, std::wstring_view name, DWORD access);

// Opens or creates the item `name` of the held folder without following a link in its place (a link
// is opened as itself), and checks that what was opened is the folder's own child. `flags` are added
// to the ones that keep links unfollowed.
Handle OpenBelow(HANDLE folder, std::wstring_view name, DWORD access, DWORD disposition, DWORD flags = 0);

// What a held folder holds, "." and ".." left out: its folders, its links (of either kind, never
// followed) and everything else.
struct FolderItems {
  std::vector<std::wstring> files;
  std::vector<std::wstring> folders;
  std::vector<std::wstring> links;
};
FolderItems ListFolder(HANDLE folder);

// Deletes exactly the file, link or (empty) folder open as `handle`, which needs DELETE access.
bool DeleteOpenItem(HANDLE handle);

// Deletes an empty folder, at the path or as the item `name` of the held folder, a link in its
// place never followed. Opened anew for this: a folder that is another program's current folder,
// which the walk below it may still enter, cannot be opened for deleting.
bool DeleteEmptyFolder(const std::wstring& path);
bool DeleteEmptyFolderBelow(HANDLE folder, std::wstring_view name);

}  // namespace kivo::platform::win32
