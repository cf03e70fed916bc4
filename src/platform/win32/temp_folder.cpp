// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/temp_folder.h"

#include <random>
#include <vector>

#include "platform/win32/file_io.h"
#include "platform/win32/wide.h"
#include "platform/win32/win_path.h"

namespace kivo::platform {
namespace {

// Deeper trees are left rather than holding a handle per level without bound.
constexpr int kMaxRemoveDepth = 128;

// A security descriptor whose one entry gives the process's user full control, handed down to
// everything below, and nothing taken over from the folder above: what mode 0700 is on POSIX.
class PrivateSecurity {
 public:
  PrivateSecurity() { made_ = Make(); }
  SECURITY_ATTRIBUTES* Attributes() { return made_ ? &attributes_ : nullptr; }

 private:
  bool Make() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    user_.resize(size);
    const bool known = size > 0 && ::GetTokenInformation(token, TokenUser, user_.data(), size, &size);
    ::CloseHandle(token);
    if (!known) return false;
    PSID sid = reinterpret_cast<TOKEN_USER*>(user_.data())->User.Sid;
    const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(sid);
    acl_.resize(aclSize);
    ACL* acl = reinterpret_cast<ACL*>(acl_.data());
    attributes_ = {sizeof attributes_, &descriptor_, FALSE};
    return ::InitializeAcl(acl, aclSize, ACL_REVISION) &&
           ::AddAccessAllowedAceEx(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE, FILE_ALL_ACCESS, sid) &&
           ::InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
           ::SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) &&
           ::SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
  }

  bool made_ = false;
  std::vector<DWORD> user_;  // DWORDs keep the TOKEN_USER and the ACL aligned
  std::vector<DWORD> acl_;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
};

std::wstring RandomCharacters(size_t count) {
  static constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::wstring text;
  for (size_t i = 0; i < count; ++i) text += kAlphabet[random() % (sizeof kAlphabet / sizeof kAlphabet[0] - 1)];
  return text;
}

// A file goes even when it is read-only, as unlink ignores a file's mode on POSIX.
void RemoveFile(HANDLE folder, const std::wstring& name) {
  win32::Handle file = win32::OpenBelow(folder, name, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, OPEN_EXISTING);
  if (!file.IsValid()) return;
  FILE_BASIC_INFO basic{};
  if (::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &basic, sizeof basic) &&
      (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
    basic.FileAttributes &= ~DWORD{FILE_ATTRIBUTE_READONLY};
    if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    ::SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof basic);
  }
  win32::DeleteOpenItem(file.Get());
}

// Removes what the held folder holds, as far as the system lets it. A link, of either kind, is
// opened as itself and removed, never entered.
void RemoveContents(HANDLE folder, int depth) {
  const win32::FolderItems items = win32::ListFolder(folder);
  for (const std::wstring& name : items.files) RemoveFile(folder, name);
  for (const std::wstring& name : items.links) {
    win32::Handle link = win32::OpenBelow(folder, name, DELETE, OPEN_EXISTING);
    if (link.IsValid()) win32::DeleteOpenItem(link.Get());
  }
  for (const std::wstring& name : items.folders) {
    if (depth + 1 < kMaxRemoveDepth) {
      if (win32::Handle child = win32::OpenFolderBelow(folder, name, win32::kFolderAccess); child.IsValid()) {
        RemoveContents(child.Get(), depth + 1);
      }
    }
    win32::DeleteEmptyFolderBelow(folder, name);  // refused while it still holds something
  }
}

}  // namespace

std::string CreatePrivateTempFolder(const std::string& prefix) {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) return {};
  PrivateSecurity security;
  if (security.Attributes() == nullptr) return {};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring folder = win32::JoinPath(temp, win32::Utf8ToWide(prefix) + RandomCharacters(6));
    if (::CreateDirectoryW(folder.c_str(), security.Attributes())) return win32::WideToUtf8(folder);
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return {};
}

bool RemoveFolderTree(const std::string& path) {
  const std::wstring wide = win32::WidePath(path);
  {
    const win32::Handle folder = win32::OpenFolder(wide, win32::kFolderAccess, false);
    if (!folder.IsValid()) return false;
    RemoveContents(folder.Get(), 0);
  }  // closed first: held, it would keep the folder from being opened for deleting
  return win32::DeleteEmptyFolder(wide);
}

}  // namespace kivo::platform
