#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <random>

#include "common/path.h"
#include "platform/files.h"
#include "platform/posix/fd_io.h"

namespace platform {

namespace posix {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace posix

namespace {

using posix::WriteAll;

std::mutex faultMutex;
std::function<bool(const std::string&)> writeFault;

bool WriteFaultFor(const std::string& path) {
  std::lock_guard lock(faultMutex);
  return writeFault && writeFault(path);
}

// Copies a regular file byte for byte into a new file; the new file is removed again on failure.
bool CopyNewFile(const std::string& from, const std::string& to) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st {};
  ::fstat(in, &st);
  int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0777);
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = true;
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    if (!WriteAll(out, buffer, static_cast<size_t>(n))) {
      ok = false;
      break;
    }
  }
  ok = ::fsync(out) == 0 && ok;
  ok = ::close(out) == 0 && ok;
  ::close(in);
  if (!ok) ::unlink(to.c_str());
  return ok;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    if (fd >= 0) ::close(fd);
    bytes.clear();
    return false;
  }
  // The size is a hint only: the file may grow or shrink while it is read. The buffer is sized to
  // it without clearing first, so a caller reading the same file again into the same string pays
  // for no filling, and the read that finds the end goes to a small buffer of its own rather than
  // doubling the string.
  bytes.resize(st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0);
  size_t used = 0;
  bool ok = true;
  for (;;) {
    ssize_t n;
    if (used < bytes.size()) {
      n = ::read(fd, bytes.data() + used, bytes.size() - used);
      if (n > 0) used += static_cast<size_t>(n);
    } else {
      char more[4096];
      n = ::read(fd, more, sizeof more);
      if (n > 0) {
        bytes.append(more, static_cast<size_t>(n));
        used = bytes.size();
      }
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
  }
  ::close(fd);
  bytes.resize(ok ? used : 0);
  return ok;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
  if (WriteFaultFor(path)) return false;
  std::string dir = ExtractFileDir(path);
  std::string base = ExtractFileName(path);
  std::string temp = AddBackslash(dir.empty() ? "." : dir) + "." + base + ".tmp";
  std::random_device random;
  temp += std::to_string(random() & 0xFFFFFF);

  // Keep the permissions of the file being replaced; a new file gets the usual 0666 less umask.
  mode_t mode = 0666;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 0777;

  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes.data(), bytes.size());
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool DeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool MoveFile(const std::string& from, const std::string& to) {
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) return false;
  if (::lstat(from.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  // link() refuses an existing target, so no file can be replaced between the check and the move.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno == EEXIST) return false;
  if (errno == EXDEV || errno == EPERM || errno == ENOTSUP) {
    if (!CopyNewFile(from, to)) return false;
    ::unlink(from.c_str());
    return true;
  }
  return false;
}

bool CreateDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool CreateDirectoryPath(const std::string& path) {
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  std::string parent = ExtractFileDir(path);
  if (parent != path && !parent.empty() && !CreateDirectoryPath(parent)) return false;
  // Another program may have made it meanwhile.
  return ::mkdir(path.c_str(), 0777) == 0 || DirectoryExists(path);
}

std::optional<int64_t> ModifiedTime(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

void SetWriteFaultForTesting(std::function<bool(const std::string& path)> fails) {
  std::lock_guard lock(faultMutex);
  writeFault = std::move(fails);
}

}  // namespace platform
