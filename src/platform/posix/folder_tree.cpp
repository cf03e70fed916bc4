// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/folder_tree.h"
#include "platform/posix/fd_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "common/path.h"

namespace kivo::platform {
namespace {

// Deeper trees are left as they are rather than holding a descriptor per level without bound.
constexpr int kMaxRemoveDepth = 128;

bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

bool ArePlainNames(const std::vector<std::string>& components) {
  if (components.empty()) return false;
  for (const std::string& name : components) {
    if (!IsPlainName(name)) return false;
  }
  return true;
}

// Opens a folder below `parentFd` without following a link in its place.
int OpenFolderAt(int parentFd, const std::string& name) {
  return ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

std::string NextTempName() {
  static std::atomic<unsigned> counter{0};
  return ".kivo-part-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

void RemoveEmptyBelow(int folderFd, int depth) {
  if (depth >= kMaxRemoveDepth) return;
  for (const std::string& name : posix::ListFolderAt(folderFd).folders) {
    int childFd = OpenFolderAt(folderFd, name);
    if (childFd < 0) continue;
    RemoveEmptyBelow(childFd, depth + 1);
    ::close(childFd);
    ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR);  // refused while it still holds something
  }
}

}  // namespace

FolderWriter::FolderWriter(const std::string& root) {
  rootFd_ = ::open(root.empty() ? "." : root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

FolderWriter::~FolderWriter() {
  AbortFile();
  if (rootFd_ >= 0) ::close(rootFd_);
}

int FolderWriter::OpenParent(const std::vector<std::string>& components, bool create) {
  int fd = ::fcntl(rootFd_, F_DUPFD_CLOEXEC, 0);
  for (size_t i = 0; fd >= 0 && i + 1 < components.size(); ++i) {
    if (create) ::mkdirat(fd, components[i].c_str(), 0777);  // it may exist; the open below decides
    int next = OpenFolderAt(fd, components[i]);
    ::close(fd);
    fd = next;
  }
  return fd;
}

bool FolderWriter::MakeFolders(const std::vector<std::string>& components) {
  if (!IsOpen() || !ArePlainNames(components)) return false;
  int parent = OpenParent(components, true);
  if (parent < 0) return false;
  ::mkdirat(parent, components.back().c_str(), 0777);
  int last = OpenFolderAt(parent, components.back());
  ::close(parent);
  if (last < 0) return false;
  ::close(last);
  return true;
}

bool FolderWriter::BeginFile(const std::vector<std::string>& components) {
  AbortFile();
  if (!IsOpen() || !ArePlainNames(components)) return false;
  parentFd_ = OpenParent(components, true);
  if (parentFd_ < 0) return false;
  finalName_ = components.back();
  for (int attempt = 0; attempt < 16 && fileFd_ < 0; ++attempt) {
    tempName_ = NextTempName();
    fileFd_ = ::openat(parentFd_, tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fileFd_ < 0 && errno != EEXIST) break;
  }
  if (fileFd_ < 0) {
    CloseFile();
    return false;
  }
  return true;
}

bool FolderWriter::Write(const char* data, size_t size) { return fileFd_ >= 0 && posix::WriteAll(fileFd_, data, size); }

bool FolderWriter::CommitFile() {
  if (fileFd_ < 0) return false;
  bool ok = ::close(fileFd_) == 0;
  fileFd_ = -1;
  // rename() replaces a file or link of that name but refuses a folder, which is what is wanted.
  ok = ok && ::renameat(parentFd_, tempName_.c_str(), parentFd_, finalName_.c_str()) == 0;
  if (!ok) ::unlinkat(parentFd_, tempName_.c_str(), 0);
  tempName_.clear();
  CloseFile();
  return ok;
}

void FolderWriter::AbortFile() {
  if (fileFd_ >= 0) {
    ::close(fileFd_);
    fileFd_ = -1;
    ::unlinkat(parentFd_, tempName_.c_str(), 0);
  }
  tempName_.clear();
  CloseFile();
}

void FolderWriter::CloseFile() {
  if (parentFd_ >= 0) ::close(parentFd_);
  parentFd_ = -1;
  finalName_.clear();
}

namespace {

// The folder holding the last component, reached from the root without following a link; -1 when
// refused (and `missing` set when a folder on the way is not there).
int OpenParentBelow(const std::string& root, const std::vector<std::string>& components, bool& missing) {
  missing = false;
  if (!ArePlainNames(components)) return -1;
  int fd = ::open(root.empty() ? "." : root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (size_t i = 0; fd >= 0 && i + 1 < components.size(); ++i) {
    int next = OpenFolderAt(fd, components[i]);
    missing = next < 0 && errno == ENOENT;
    ::close(fd);
    fd = next;
  }
  return fd;
}

FileBelow FindFileAt(int parentFd, const std::string& name) {
  struct stat st {};
  if (::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT ? FileBelow::kMissing : FileBelow::kOther;
  }
  return S_ISREG(st.st_mode) ? FileBelow::kRegularFile : FileBelow::kOther;
}

}  // namespace

FileBelow FindFileBelow(const std::string& root, const std::vector<std::string>& components) {
  bool missing = false;
  const int parent = OpenParentBelow(root, components, missing);
  if (parent < 0) return missing ? FileBelow::kMissing : FileBelow::kOther;
  const FileBelow found = FindFileAt(parent, components.back());
  ::close(parent);
  return found;
}

bool DeleteFileBelow(const std::string& root, const std::vector<std::string>& components) {
  bool missing = false;
  const int parent = OpenParentBelow(root, components, missing);
  if (parent < 0) return false;
  // Looked at and removed through the same folder descriptor: no link can be swapped in on the way.
  const bool deleted = FindFileAt(parent, components.back()) == FileBelow::kRegularFile &&
                       ::unlinkat(parent, components.back().c_str(), 0) == 0;
  ::close(parent);
  return deleted;
}

std::string CreateUniqueFolder(const std::string& parent, const std::string& base) {
  const std::string prefix = common::AddBackslash(parent.empty() ? "." : parent) + base + "-";
  for (unsigned n = 1; n <= 1000000; ++n) {
    std::string candidate = prefix + std::to_string(n);
    if (::mkdir(candidate.c_str(), 0777) == 0) return candidate;
    if (errno != EEXIST) break;
  }
  return {};
}

bool RemoveEmptyFolderTree(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  RemoveEmptyBelow(fd, 0);
  ::close(fd);
  return ::rmdir(path.c_str()) == 0;
}

}  // namespace kivo::platform
