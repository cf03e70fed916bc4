// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string_view>
#include <vector>

#include "common/path.h"
#include "platform/fault_seams.h"
#include "platform/files.h"
#include "platform/posix/fd_io.h"

namespace kivo::platform {

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

FolderItems ListFolderAt(int folderFd) {
  FolderItems items;
  int listFd = ::dup(folderFd);
  if (listFd < 0) return items;
  DIR* dir = ::fdopendir(listFd);
  if (dir == nullptr) {
    ::close(listFd);
    return items;
  }
  // Names first, work after: changing entries while reading the listing may skip some.
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    bool folder = ::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
    (folder ? items.folders : items.files).push_back(std::move(name));
  }
  ::closedir(dir);
  return items;
}

}  // namespace posix

namespace {

using posix::WriteAll;

using seams::ReadFaultFor;
using seams::WriteFaultFor;

// The file a path names once every symbolic link on its last part is followed (a link's relative
// target counts from the link's folder); the path itself when it is no link. Empty for a loop.
std::string LinkTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size()) return {};
    target.resize(static_cast<size_t>(n));
    if (target.front() != '/') {
      std::string dir = common::ExtractFileDir(current);
      target = common::AddBackslash(dir.empty() ? "." : dir) + target;
    }
    current = std::move(target);
  }
  return {};
}

// What the temporary files of writes to `path` start with: ".<name>.tmp." beside it.
std::string TemporaryPrefix(const std::string& path) {
  std::string dir = common::ExtractFileDir(path);
  return common::AddBackslash(dir.empty() ? "." : dir) + "." + common::ExtractFileName(path) + ".tmp.";
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

namespace {

// Opens a file for ReadFile: kRead with `fd` and `st` set, or why not (and nothing left open).
ReadStatus OpenForReading(const std::string& path, int& fd, struct stat& st, size_t limit) {
  // Without waiting: opening a FIFO for reading would block until a writer comes.
  fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadStatus::kMissing : ReadStatus::kFailed;
  ReadStatus refused = ReadStatus::kRead;
  if (::fstat(fd, &st) != 0) {
    refused = ReadStatus::kFailed;
  } else if (S_ISDIR(st.st_mode)) {
    // A folder is no file, as FileExists has it.
    refused = ReadStatus::kMissing;
  } else if (ReadFaultFor(path) || !S_ISREG(st.st_mode)) {
    refused = ReadStatus::kFailed;
  } else if (static_cast<uint64_t>(st.st_size) > limit) {
    refused = ReadStatus::kTooLarge;
  }
  if (refused != ReadStatus::kRead) ::close(fd);
  return refused;
}

// Reads the rest of an open file after the `bytes` already in, then closes it. The size is a hint
// only: the file may grow or shrink while it is read. The buffer is sized to it without clearing
// first, so a caller reading the same file again into the same string pays for no filling, and the
// read that finds the end goes to a small buffer of its own rather than doubling the string.
ReadStatus ReadRest(int fd, size_t sizeHint, std::string& bytes, size_t limit) {
  size_t used = bytes.size();
  bytes.resize(std::max(used, sizeHint));
  ReadStatus status = ReadStatus::kRead;
  for (;;) {
    ssize_t n;
    if (used < bytes.size()) {
      n = ::read(fd, bytes.data() + used, bytes.size() - used);
      if (n > 0) used += static_cast<size_t>(n);
    } else {
      char more[4096];
      n = ::read(fd, more, sizeof more);
      if (n > 0) {
        if (bytes.size() + static_cast<size_t>(n) > limit) {
          status = ReadStatus::kTooLarge;
          break;
        }
        bytes.append(more, static_cast<size_t>(n));
        used = bytes.size();
      }
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) status = ReadStatus::kFailed;
    if (n <= 0) break;
  }
  ::close(fd);
  bytes.resize(status == ReadStatus::kRead ? used : 0);
  return status;
}

}  // namespace

ReadStatus ReadFile(const std::string& path, std::string& bytes, size_t limit) {
  int fd = -1;
  struct stat st {};
  if (ReadStatus status = OpenForReading(path, fd, st, limit); status != ReadStatus::kRead) {
    bytes.clear();
    return status;
  }
  bytes.clear();
  return ReadRest(fd, static_cast<size_t>(st.st_size), bytes, limit);
}

ReadStatus ReadFileAgain(const std::string& path, const std::string& known, std::string& bytes, size_t limit,
                         bool& unchanged) {
  unchanged = false;
  int fd = -1;
  struct stat st {};
  if (ReadStatus status = OpenForReading(path, fd, st, limit); status != ReadStatus::kRead) {
    bytes.clear();
    return status;
  }
  const size_t size = static_cast<size_t>(st.st_size);
  bytes.clear();
  if (size != known.size()) return ReadRest(fd, size, bytes, limit);
  // Compared a piece at a time while the piece is fresh in the cache: a second pass over the whole
  // of a large file would cost as much as reading it.
  char piece[1 << 16];
  size_t matched = 0;
  for (;;) {
    ssize_t n = ::read(fd, piece, sizeof piece);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return ReadStatus::kFailed;
    }
    if (n == 0) break;
    const size_t got = static_cast<size_t>(n);
    if (got <= known.size() - matched && std::memcmp(known.data() + matched, piece, got) == 0) {
      matched += got;
      continue;
    }
    // Changed: what matched so far, this piece and the rest are the new bytes.
    if (matched + got > limit) {
      ::close(fd);
      return ReadStatus::kTooLarge;
    }
    bytes.reserve(size);
    bytes.assign(known, 0, matched);
    bytes.append(piece, got);
    return ReadRest(fd, size, bytes, limit);
  }
  ::close(fd);
  if (matched == known.size()) {
    unchanged = true;
    return ReadStatus::kRead;
  }
  bytes.assign(known, 0, matched);  // the file ended early
  return ReadStatus::kRead;
}

ReadableFile::ReadableFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return;
  struct stat st {};
  if (ReadFaultFor(path) || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return;
  }
  // Reads of a regular file never wait anyway; the reader gets the usual blocking descriptor.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  fd_ = fd;
}

ReadableFile::~ReadableFile() {
  if (fd_ >= 0) ::close(fd_);
}

namespace {

FileFacts FactsFrom(const struct stat& st) {
  return FileFacts{static_cast<int64_t>(st.st_size),
                   static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, S_ISREG(st.st_mode)};
}

// The first bytes of a file opened as ReadableFile opens it, then closes it. It runs for every file
// of a ROM list, so the buffer is sized to the file as it was when looked at, which spares filling
// bytes that never come and the read that would find the end; a file that tells no size (the
// system's own, under /proc) is read as far as it goes. A regular file's reads never wait.
std::string ReadStartAndClose(int fd, const struct stat& st, const std::string& path, size_t count) {
  std::string bytes;
  if (S_ISREG(st.st_mode) && !ReadFaultFor(path)) {
    const uint64_t size = static_cast<uint64_t>(std::max<off_t>(st.st_size, 0));
    bytes.resize(size == 0 ? count : static_cast<size_t>(std::min<uint64_t>(count, size)));
  }
  size_t used = 0;
  while (used < bytes.size()) {
    ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    used += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(used);
  return bytes;
}

}  // namespace

std::string ReadFileStart(const std::string& path, size_t count) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return {};
  struct stat st {};
  if (::fstat(fd, &st) != 0) st.st_mode = 0;
  return ReadStartAndClose(fd, st, path, count);
}

std::optional<FileFacts> StatFileAndReadStart(const std::string& path, size_t count,
                                              const std::function<bool(const FileFacts&)>& wanted, std::string& bytes) {
  bytes.clear();
  // One open serves the look and the read; what cannot be opened is looked at alone.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return StatFile(path);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return StatFile(path);
  }
  const FileFacts facts = FactsFrom(st);
  if (facts.regular && wanted(facts)) {
    bytes = ReadStartAndClose(fd, st, path, count);
  } else {
    ::close(fd);
  }
  return facts;
}

bool IsWritableFolder(const std::string& path) {
  return DirectoryExists(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit) {
  return ReadFile(path, bytes, limit) == ReadStatus::kRead;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
  if (WriteFaultFor(path)) return false;
  // A link is written through: replacing it with a plain file would leave the real file unchanged.
  const std::string target = LinkTarget(path);
  if (target.empty()) return false;
  RemoveInterruptedWrites(target);

  // A replaced file keeps its permissions, owner and group; a new one gets what open() gives any
  // new file, 0666 less the umask, so a user's umask 022 keeps others from writing it.
  struct stat st {};
  const bool replacing = ::stat(target.c_str(), &st) == 0;
  if (replacing) {
    if (!S_ISREG(st.st_mode)) return false;
    // No write bit for anyone: read-only, whoever asks.
    if ((st.st_mode & 0222) == 0) return false;
  }
  std::string temp = TemporaryPrefix(target) + std::to_string(::getpid()) + ".";
  std::random_device random;
  temp += std::to_string(random() & 0xFFFFFF);

  // Created private to this user: the old file's bits are set once its owner is, so the bytes are
  // never readable by more than the old file allowed.
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
  if (fd < 0) return false;
  if (replacing) {
    // Root rewriting a user's file must leave it the user's. Anyone else can only give it to
    // themselves (or a group of theirs), which is what it is already; a refusal changes nothing.
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) (void)::fchown(fd, st.st_uid, st.st_gid);
    // After the owner: changing it drops the set-id bits.
    ::fchmod(fd, st.st_mode & 07777);
  }
  bool ok = WriteAll(fd, bytes.data(), bytes.size());
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process that wrote a temporary file named "<pid>.<random>" after its prefix; 0 when the name
// is not one WriteFileAtomic makes (a user's own ".kivo.ini.tmp.notes", say).
long WriterOf(std::string_view rest) {
  const size_t dot = rest.find('.');
  if (dot == std::string_view::npos || !AllDigits(rest.substr(0, dot)) || !AllDigits(rest.substr(dot + 1))) return 0;
  return dot > 9 ? 0 : std::strtol(std::string(rest.substr(0, dot)).c_str(), nullptr, 10);
}

}  // namespace

void RemoveInterruptedWrites(const std::string& path) {
  const std::string prefix = common::ExtractFileName(TemporaryPrefix(path));
  const std::string dir = common::ExtractFileDir(path);
  const std::string folder = dir.empty() ? "." : dir;
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return;
  std::vector<std::string> stale;
  while (dirent* entry = ::readdir(listing)) {
    std::string_view name = entry->d_name;
    if (!name.starts_with(prefix)) continue;
    // A writer that is still there may still be writing.
    const long pid = WriterOf(name.substr(prefix.size()));
    if (pid <= 0 || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    struct stat st {};
    // Only files: a folder of that name is no write of ours.
    if (::fstatat(::dirfd(listing), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    stale.emplace_back(name);
  }
  ::closedir(listing);
  for (const std::string& name : stale) ::unlink((common::AddBackslash(folder) + name).c_str());
}

bool DeleteFile(const std::string& path) { return !seams::DeleteFaultFor(path) && ::unlink(path.c_str()) == 0; }

bool IsReadOnlyFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

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
  std::string parent = common::ExtractFileDir(path);
  if (parent != path && !parent.empty() && !CreateDirectoryPath(parent)) return false;
  // Another program may have made it meanwhile.
  return ::mkdir(path.c_str(), 0777) == 0 || DirectoryExists(path);
}

OtherWriters WhoElseCanChange(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return OtherWriters::kNone;
  if (st.st_uid != ::geteuid()) return OtherWriters::kAnotherOwner;
  return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0 ? OtherWriters::kGroupOrOther : OtherWriters::kNone;
}

bool MakeEveryonesFilePrivate(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return false;
  if ((st.st_mode & 0777) != 0666) return false;
  return ::chmod(path.c_str(), (st.st_mode & 07777) & ~mode_t{S_IWGRP | S_IWOTH}) == 0;
}

std::optional<FileFacts> StatFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FactsFrom(st);
}

std::optional<int64_t> ModifiedTime(const std::string& path) {
  const std::optional<FileFacts> facts = StatFile(path);
  if (!facts) return std::nullopt;
  return facts->modified;
}

}  // namespace kivo::platform
