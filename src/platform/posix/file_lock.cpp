// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kivo::platform {

FileLock::FileLock(const std::string& path) {
  // Read-only is enough for flock, and works on a lock file another user created. A link in the
  // file's place is not followed, so the lock never creates a file elsewhere; close-on-exec keeps
  // a started emulator from holding the lock after this program is gone.
  int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0666);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return;
  }
  // flock belongs to the open file description, so a second open in this process conflicts too.
  int status;
  do {
    status = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (status != 0 && errno == EINTR);
  if (status != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
}

FileLock::~FileLock() { Release(); }

void FileLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the only descriptor of the description drops the lock
  fd_ = -1;
}

}  // namespace kivo::platform
