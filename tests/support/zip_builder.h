// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds real ZIP archives from bytes given in a test, with full control over what an archiver
// would refuse to write: names such as "../evil" or "/abs/x", links, names that are not UTF-8.

struct ZipMember {
  enum class Kind { File, Folder, Link };

  std::string name{};  // stored as is, byte for byte
  std::string data{};  // a file's content, or a link's target
  Kind kind = Kind::File;
  bool deflate = false;   // compressed (method 8) rather than stored (method 0)
  bool utf8Name = false;  // sets the flag that declares the name UTF-8
  // Sizes and CRC left out of the local header and given after the data, as a streaming archiver
  // writes them (only the central directory states them up front).
  bool dataDescriptor = false;
  bool wrongCrc = false;  // a CRC the data does not have, in every place the archive states it
};

ZipMember ZipFile(std::string name, std::string data, bool deflate = false);
ZipMember ZipFolder(std::string name);

// The archive's bytes: local headers and data in member order, then the central directory.
std::string BuildZip(const std::vector<ZipMember>& members);

// Writes BuildZip(members) to the path; fails the running test when the file cannot be written.
void WriteZip(const std::string& path, const std::vector<ZipMember>& members);
