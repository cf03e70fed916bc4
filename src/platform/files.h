#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Files and folders. Every path is a byte string handed to the system as is.
namespace platform {

// True when a regular file (or a link to one) exists at the path; a folder does not count.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The whole file into `bytes`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Replaces the file with `bytes` atomically: a temporary file in the same folder is written,
// flushed and renamed over the target, so a crash or a full disk never leaves a half-written file.
// False when any step fails (the target is then untouched).
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

bool DeleteFile(const std::string& path);

// When the file was last modified, in nanoseconds since the epoch; nothing when it does not exist.
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

}  // namespace platform
