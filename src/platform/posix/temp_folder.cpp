// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/temp_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "common/path.h"
#include "platform/posix/fd_io.h"

namespace kivo::platform {
namespace {

// Deeper trees are left rather than holding a descriptor per level without bound.
constexpr int kMaxRemoveDepth = 128;

// Removes what the folder open as `folderFd` holds, as far as the system lets it.
void RemoveContents(int folderFd, int depth) {
  const posix::FolderItems items = posix::ListFolderAt(folderFd);
  for (const std::string& name : items.files) ::unlinkat(folderFd, name.c_str(), 0);
  for (const std::string& name : items.folders) {
    int fd = depth + 1 < kMaxRemoveDepth
                 ? ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                 : -1;
    if (fd >= 0) {
      RemoveContents(fd, depth + 1);
      ::close(fd);
    }
    ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR);
  }
}

}  // namespace

std::string CreatePrivateTempFolder(const std::string& prefix) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = common::AddBackslash(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + prefix + "XXXXXX";
  // mkdtemp makes the folder with mode 0700.
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

bool RemoveFolderTree(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  RemoveContents(fd, 0);
  ::close(fd);
  return ::rmdir(path.c_str()) == 0;
}

}  // namespace kivo::platform
