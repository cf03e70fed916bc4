// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Shared by the POSIX file code.
namespace kivo::platform::posix {

// Writes every byte, going on after partial writes and signals.
bool WriteAll(int fd, const char* data, size_t size);

// What a folder open as `folderFd` holds, "." and ".." left out, split into its folders and
// everything else; a link counts as what it is, never as what it names.
struct FolderItems {
  std::vector<std::string> files;
  std::vector<std::string> folders;
};
FolderItems ListFolderAt(int folderFd);

}  // namespace kivo::platform::posix
