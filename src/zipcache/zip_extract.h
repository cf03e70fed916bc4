// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::zipcache {

// Extraction of a ZIP archive into a folder, confined to that folder.
//
// Only regular files and folders are written. A member is refused (neither written nor reported)
// when its name is absolute, has a ".." component, cannot be named, or would pass through a link;
// links, devices and the like are refused whatever they point at. The rest of the archive is still
// extracted. Reading stops at the first damage that cannot be read past, keeping what was written;
// a member whose data cannot be read completely is dropped, one that is complete but fails its
// checksum is kept (as the classic unzip tools do), so the ROM check can tell the user.

// Bounds on what one archive may write, so that a ZIP bomb cannot fill the disk.
struct ExtractLimits {
  size_t maxMembers = 65535;              // entries read, refused ones included
  uint64_t maxBytes = uint64_t{1} << 30;  // bytes written, every member together
};

struct ExtractOutcome {
  // Full path of every file written, in archive order: the target folder with a separator
  // appended, followed by the member's name with "." and empty components dropped.
  std::vector<std::string> files;
  // True only when the whole archive was read and every member extracted.
  bool complete = false;
};

// The member's name as path components below the target folder; nothing when it is refused
// (empty, absolute, with a ".." component, or nothing but "." and separators).
std::optional<std::vector<std::string>> SplitMemberName(std::string_view name);

ExtractOutcome ExtractZipFile(const std::string& archivePath, const std::string& targetFolder,
                              const ExtractLimits& limits = {});

// The same from bytes in memory, so fuzzers and tests reach the reader without an archive file.
ExtractOutcome ExtractZipBytes(std::string_view bytes, const std::string& targetFolder,
                               const ExtractLimits& limits = {});

}  // namespace kivo::zipcache
