// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// Writing files strictly inside one folder, and clearing away the folders such writes leave.
namespace kivo::platform {

// Writes files and folders below one root folder, named by relative path components. No link is
// ever followed below the root: a component that exists as a link (or as a file where a folder is
// needed) refuses the write, so nothing lands outside the root even when its tree holds links that
// point out. A file is written under a temporary name and renamed over its final name only when
// complete, so an existing link, hard link or file of that name is replaced rather than written
// through, and a file still being read (the archive itself) keeps its content.
class FolderWriter {
 public:
  explicit FolderWriter(const std::string& root);
  ~FolderWriter();
  FolderWriter(const FolderWriter&) = delete;
  FolderWriter& operator=(const FolderWriter&) = delete;

  // False when the root could not be opened as a folder; every other call then fails.
  bool IsOpen() const { return rootFd_ >= 0; }

  // Creates each folder of the path below the root that is missing. Components must be plain
  // names (not empty, ".", ".." and without "/"); anything else is refused.
  bool MakeFolders(const std::vector<std::string>& components);

  // Starts a new file at the path (its folders created as needed). Only one file is open at a time;
  // beginning another abandons the one before.
  bool BeginFile(const std::vector<std::string>& components);
  bool Write(const char* data, size_t size);
  // Puts the finished file in place under its name; false (and nothing left behind) on failure.
  bool CommitFile();
  // Drops the file being written.
  void AbortFile();

 private:
  // The folder holding the last component, opened without following links; -1 when refused.
  int OpenParent(const std::vector<std::string>& components, bool create);
  void CloseFile();

  int rootFd_ = -1;
  int parentFd_ = -1;
  int fileFd_ = -1;
  std::string tempName_;
  std::string finalName_;
};

// What a path below a root folder names when no link is followed on the way (nor in its place).
enum class FileBelow {
  kRegularFile,
  kMissing,  // nothing of that name (or a folder on the way is missing)
  kOther,    // a link on the way or in its place, a folder, a device: nothing a writer below made
};
FileBelow FindFileBelow(const std::string& root, const std::vector<std::string>& components);

// Deletes the file when FindFileBelow finds a regular file there; false otherwise, or when the
// system refuses. Nothing outside the root can go, whatever links the tree below it holds.
bool DeleteFileBelow(const std::string& root, const std::vector<std::string>& components);

// Creates a new folder in `parent` named `base` followed by "-1", "-2", ... (the first that does
// not exist yet), so two callers never share one. The new folder's full path, or empty when none
// could be created (the parent is missing or refuses it).
std::string CreateUniqueFolder(const std::string& parent, const std::string& base);

// Removes the folder and every folder below it, provided none of them holds a file or link; a
// folder that still holds something is kept (with whatever holds it). Links are never followed.
// True when the folder itself is gone.
bool RemoveEmptyFolderTree(const std::string& path);

}  // namespace kivo::platform
