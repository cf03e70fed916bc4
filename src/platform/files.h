// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Files and folders. Every path is a byte string handed to the system as is: on POSIX systems its
// bytes; on Windows UTF-8, converted to UTF-16 for the system's wide calls, '/' and '\\' both
// separating and long paths given the "\\?\" form.
namespace kivo::platform {

// True when a regular file (or a link to one) exists at the path; a folder does not count.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// True when this process may create files in the folder.
bool IsWritableFolder(const std::string& path);

// What reading a file found.
enum class ReadStatus {
  kRead,      // the bytes are in
  kMissing,   // no file at the path (a link to nothing, or a folder, counts as none)
  kFailed,    // it exists but cannot be read: no permission, an I/O error, or not a regular file
  kTooLarge,  // a regular file larger than the reader's limit
};

// Reads a regular file whole, at most `limit` bytes. Only regular files are opened, and without
// waiting, so a FIFO or a device under a file's name never blocks the caller. `bytes` is empty
// unless the status is kRead.
ReadStatus ReadFile(const std::string& path, std::string& bytes, size_t limit);

// ReadFile for a caller that keeps the bytes it read last time and reads the file again and again:
// when the file still holds exactly `known`, `unchanged` is set and `bytes` left empty, found while
// reading, without a second pass over the file; otherwise as ReadFile.
ReadStatus ReadFileAgain(const std::string& path, const std::string& known, std::string& bytes, size_t limit,
                         bool& unchanged);

// A regular file opened for reading, for a library that reads from a descriptor. Opened without
// waiting, so a FIFO or a device is refused rather than waited on. Closed with the object.
class ReadableFile {
 public:
  explicit ReadableFile(const std::string& path);
  ~ReadableFile();
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;
  // -1 when the path names no regular file, or it cannot be opened.
  int Descriptor() const { return fd_; }

 private:
  int fd_ = -1;
};

// The first `count` bytes of a regular file (fewer when it is shorter); empty when it cannot be read.
std::string ReadFileStart(const std::string& path, size_t count);

// The same, true only for kRead.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit);

// Replaces the file with `bytes` atomically: a temporary file in the target's folder is written,
// flushed and renamed over the target, so a crash or a full disk never leaves a half-written file.
// A path that is a symbolic link is written through to the file it names, which keeps its mode.
// A file without any write permission bit (on Windows: with the read-only attribute) is read-only
// and is refused, also for root, as a read-only file was on the system KIVO comes from. On Windows
// the move is MoveFileExW's replace, written through before it returns. Temporary files that interrupted writers left
// beside the target are removed first. False when any step fails (the target is then untouched).
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

// Removes the temporary files of writes to `path` whose writer has gone (killed, or crashed),
// as the next start of a program does.
void RemoveInterruptedWrites(const std::string& path);

bool DeleteFile(const std::string& path);

// True when a file is at the path (or a link names one) and no one may write it: no write bit, or
// on Windows the read-only attribute.
bool IsReadOnlyFile(const std::string& path);

// Who besides this process's user can change a file (a link counts as the file it names). On
// Windows, whose folders under the user's profile are the user's own, always kNone.
enum class OtherWriters {
  kNone,          // the user's own, written by no one else (or no file is there)
  kGroupOrOther,  // the user's own, but its group or every user may write it
  kAnotherOwner,  // another user owns it (and may write it, or make it writable)
};
OtherWriters WhoElseCanChange(const std::string& path);

// A file of this user's that every user may write (0666, as earlier versions made their files)
// made writable by its owner alone, its other bits kept; true when it was changed. Any other mode
// is the user's own choice and stays.
bool MakeEveryonesFilePrivate(const std::string& path);

// What one look at a path tells (links followed): the size in bytes, when it was last modified in
// nanoseconds since the epoch, and whether it is a regular file rather than a folder, a FIFO or a device.
struct FileFacts {
  int64_t size = 0;
  int64_t modified = 0;
  bool regular = false;
};
// Nothing when nothing is there.
std::optional<FileFacts> StatFile(const std::string& path);

// StatFile and, only for a regular file where `wanted` says so on what the look found, its first
// `count` bytes into `bytes` (as ReadFileStart gives them; empty when they cannot be read). For a
// caller that reads some of many files after looking at each: on POSIX systems the look and the read
// share one open. Nothing, and no bytes, when nothing is there.
std::optional<FileFacts> StatFileAndReadStart(const std::string& path, size_t count,
                                              const std::function<bool(const FileFacts&)>& wanted, std::string& bytes);

// StatFile's modified time alone.
std::optional<int64_t> ModifiedTime(const std::string& path);

// Moves a file; fails (and changes nothing) when the target exists. Across file systems the file is
// copied and the source removed only once the copy is complete.
bool MoveFile(const std::string& from, const std::string& to);

// Creates one folder; false when it cannot (it exists already, or its parent is missing).
bool CreateDirectory(const std::string& path);

// Creates the folder and every missing folder above it, as `mkdir -p` does; true when the folder
// exists afterwards.
bool CreateDirectoryPath(const std::string& path);

// Makes every write through WriteFileAtomic whose target path satisfies the predicate fail, as a
// full disk would. Tests run as root, where read-only files do not stop writes. Pass {} to clear.
void SetWriteFaultForTesting(std::function<bool(const std::string& path)> fails);

// Makes every read through ReadFile of an existing file whose path satisfies the predicate fail,
// as an I/O error or a missing read permission would (root reads any file). Pass {} to clear.
void SetReadFaultForTesting(std::function<bool(const std::string& path)> fails);

// Makes every DeleteFile whose path satisfies the predicate fail, as a file held open on Windows or
// a folder the user may not change would (root deletes anything). Pass {} to clear.
void SetDeleteFaultForTesting(std::function<bool(const std::string& path)> fails);

}  // namespace kivo::platform
