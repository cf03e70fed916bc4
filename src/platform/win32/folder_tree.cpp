// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/folder_tree.h"

#include <atomic>
#include <string_view>

#include "platform/win32/file_io.h"
#include "platform/win32/wide.h"
#include "platform/win32/win_path.h"

namespace kivo::platform {
namespace {

// Deeper trees are left as they are rather than holding a handle per level without bound.
constexpr int kMaxRemoveDepth = 128;

// A member name that names one item of its folder and nothing else. Besides "." and "..", Windows
// refuses or reads specially: the separators, ':' (which names a stream of another file), the
// wildcards and control characters; a trailing dot or blank, which it drops, so that the name
// would be another file's; and a device's name, which names the device in every folder.
bool IsPlainName(const std::string& name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (unsigned char c : name) {
    if (c < 0x20 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return !win32::IsReservedDeviceName(win32::Utf8ToWide(name));
}

bool ArePlainNames(const std::vector<std::string>& components) {
  if (components.empty()) return false;
  for (const std::string& name : components) {
    if (!IsPlainName(name)) return false;
  }
  return true;
}

bool IsMissingError(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

win32::Handle OpenRoot(const std::string& root) {
  return win32::OpenFolder(root.empty() ? std::wstring(L".") : win32::WidePath(root), win32::kFolderAccess, true);
}

// The folder `name` of the held folder, created first when `create` is set and it is missing.
win32::Handle EnterFolder(HANDLE parent, const std::string& name, bool create) {
  const std::wstring wide = win32::Utf8ToWide(name);
  // It may exist already; the open below decides.
  if (create) ::CreateDirectoryW(win32::JoinPath(win32::FinalPath(parent), wide).c_str(), nullptr);
  return win32::OpenFolderBelow(parent, wide, win32::kFolderAccess);
}

win32::Handle Duplicate(HANDLE handle) {
  HANDLE copy = nullptr;
  const HANDLE self = ::GetCurrentProcess();
  if (!::DuplicateHandle(self, handle, self, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) return {};
  return win32::Handle(copy);
}

std::string NextTempName() {
  static std::atomic<unsigned> counter{0};
  return ".kivo-part-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter.fetch_add(1));
}

void RemoveEmptyBelow(HANDLE folder, int depth) {
  if (depth >= kMaxRemoveDepth) return;
  for (const std::wstring& name : win32::ListFolder(folder).folders) {
    if (win32::Handle child = win32::OpenFolderBelow(folder, name, win32::kFolderAccess); child.IsValid()) {
      RemoveEmptyBelow(child.Get(), depth + 1);
    }
    win32::DeleteEmptyFolderBelow(folder, name);  // refused while it still holds something
  }
}

}  // namespace

FolderWriter::FolderWriter(const std::string& root) { rootFd_ = win32::AdoptHandle(OpenRoot(root)); }

FolderWriter::~FolderWriter() {
  AbortFile();
  win32::CloseDescriptor(rootFd_);
}

int FolderWriter::OpenParent(const std::vector<std::string>& components, bool create) {
  win32::Handle folder = Duplicate(win32::HandleOf(rootFd_));
  for (size_t i = 0; folder.IsValid() && i + 1 < components.size(); ++i) {
    folder = EnterFolder(folder.Get(), components[i], create);
  }
  return win32::AdoptHandle(std::move(folder));
}

bool FolderWriter::MakeFolders(const std::vector<std::string>& components) {
  if (!IsOpen() || !ArePlainNames(components)) return false;
  int parent = OpenParent(components, true);
  if (parent < 0) return false;
  const bool made = EnterFolder(win32::HandleOf(parent), components.back(), true).IsValid();
  win32::CloseDescriptor(parent);
  return made;
}

bool FolderWriter::BeginFile(const std::vector<std::string>& components) {
  AbortFile();
  if (!IsOpen() || !ArePlainNames(components)) return false;
  parentFd_ = OpenParent(components, true);
  if (parentFd_ < 0) return false;
  finalName_ = components.back();
  for (int attempt = 0; attempt < 16 && fileFd_ < 0; ++attempt) {
    tempName_ = NextTempName();
    win32::Handle file = win32::OpenBelow(win32::HandleOf(parentFd_), win32::Utf8ToWide(tempName_),
                                          GENERIC_WRITE | DELETE, CREATE_NEW);
    if (!file.IsValid() && ::GetLastError() != ERROR_FILE_EXISTS) break;
    fileFd_ = win32::AdoptHandle(std::move(file));
  }
  if (fileFd_ < 0) {
    CloseFile();
    return false;
  }
  return true;
}

bool FolderWriter::Write(const char* data, size_t size) {
  return fileFd_ >= 0 && win32::WriteAll(win32::HandleOf(fileFd_), data, size);
}

bool FolderWriter::CommitFile() {
  if (fileFd_ < 0) return false;
  // The parent is held, so its final path is where it is, and the names below it are its own.
  const std::wstring folder = win32::FinalPath(win32::HandleOf(parentFd_));
  if (folder.empty()) {
    AbortFile();
    return false;
  }
  win32::CloseDescriptor(fileFd_);
  const std::wstring temp = win32::JoinPath(folder, win32::Utf8ToWide(tempName_));
  const std::wstring target = win32::JoinPath(folder, win32::Utf8ToWide(finalName_));
  // The move replaces a file or a link of that name but refuses a folder, which is what is wanted.
  const bool ok = ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  if (!ok) ::DeleteFileW(temp.c_str());
  tempName_.clear();
  CloseFile();
  return ok;
}

void FolderWriter::AbortFile() {
  if (fileFd_ >= 0) {
    // Deleted through its own handle: whatever took the name meanwhile stays.
    win32::DeleteOpenItem(win32::HandleOf(fileFd_));
    win32::CloseDescriptor(fileFd_);
  }
  tempName_.clear();
  CloseFile();
}

void FolderWriter::CloseFile() {
  win32::CloseDescriptor(parentFd_);
  finalName_.clear();
}

namespace {

// The folder holding the last component, reached from the root without following a link; invalid
// when refused (and `missing` set when a folder on the way is not there).
win32::Handle OpenParentBelow(const std::string& root, const std::vector<std::string>& components, bool& missing) {
  missing = false;
  if (!ArePlainNames(components)) return {};
  win32::Handle folder = OpenRoot(root);
  for (size_t i = 0; folder.IsValid() && i + 1 < components.size(); ++i) {
    win32::Handle next = EnterFolder(folder.Get(), components[i], false);
    missing = !next.IsValid() && IsMissingError(::GetLastError());
    folder = std::move(next);
  }
  return folder;
}

// Opens the item `name` of the held folder as itself, a link in its place never followed; `found`
// says what it is.
win32::Handle OpenItemAt(HANDLE parent, const std::string& name, DWORD access, FileBelow& found) {
  win32::Handle item = win32::OpenBelow(parent, win32::Utf8ToWide(name), access | FILE_READ_ATTRIBUTES, OPEN_EXISTING);
  if (!item.IsValid()) {
    found = IsMissingError(::GetLastError()) ? FileBelow::kMissing : FileBelow::kOther;
    return item;
  }
  const std::optional<win32::FileFacts> facts = win32::FactsOfHandle(item.Get());
  found = facts && !facts->IsFolder() && !facts->IsLink() ? FileBelow::kRegularFile : FileBelow::kOther;
  return item;
}

// True when the first component is plainly not in the root, which exists: then no walk below the
// root finds anything either (a link in the first component's place would be there itself, as
// GetFileAttributesW does not follow a link in the last place). Asked with one call, where the walk
// opens a handle for each folder on the way: a table naming many folders that are gone is purged
// at the speed of its lines.
bool FirstComponentMissing(const std::string& root, const std::vector<std::string>& components) {
  const std::wstring folder = root.empty() ? std::wstring(L".") : win32::WidePath(root);
  const std::wstring first = win32::JoinPath(folder, win32::Utf8ToWide(components.front()));
  // ERROR_FILE_NOT_FOUND only when the folder holding it is there (else ERROR_PATH_NOT_FOUND).
  return ::GetFileAttributesW(first.c_str()) == INVALID_FILE_ATTRIBUTES && ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace

FileBelow FindFileBelow(const std::string& root, const std::vector<std::string>& components) {
  if (ArePlainNames(components) && FirstComponentMissing(root, components)) return FileBelow::kMissing;
  bool missing = false;
  const win32::Handle parent = OpenParentBelow(root, components, missing);
  if (!parent.IsValid()) return missing ? FileBelow::kMissing : FileBelow::kOther;
  FileBelow found = FileBelow::kOther;
  OpenItemAt(parent.Get(), components.back(), 0, found);
  return found;
}

bool DeleteFileBelow(const std::string& root, const std::vector<std::string>& components) {
  if (ArePlainNames(components) && FirstComponentMissing(root, components)) return false;
  bool missing = false;
  const win32::Handle parent = OpenParentBelow(root, components, missing);
  if (!parent.IsValid()) return false;
  // Looked at and removed through one handle: nothing can be swapped in between.
  FileBelow found = FileBelow::kOther;
  const win32::Handle item = OpenItemAt(parent.Get(), components.back(), DELETE, found);
  return found == FileBelow::kRegularFile && win32::DeleteOpenItem(item.Get());
}

std::string CreateUniqueFolder(const std::string& parent, const std::string& base) {
  const std::wstring prefix =
      win32::JoinPath(parent.empty() ? std::wstring(L".") : win32::WidePath(parent), win32::Utf8ToWide(base) + L"-");
  for (unsigned n = 1; n <= 1000000; ++n) {
    std::wstring candidate = prefix + std::to_wstring(n);
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) return win32::WideToUtf8(candidate);
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return {};
}

bool RemoveEmptyFolderTree(const std::string& path) {
  const std::wstring wide = win32::WidePath(path);
  {
    const win32::Handle folder = win32::OpenFolder(wide, win32::kFolderAccess, false);
    if (!folder.IsValid()) return false;
    RemoveEmptyBelow(folder.Get(), 0);
  }  // closed first: held, it would keep the folder from being opened for deleting
  return win32::DeleteEmptyFolder(wide);
}

}  // namespace kivo::platform
