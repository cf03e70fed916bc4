// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/zip_member_start.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>

#include "common/path.h"
#include "common/rom_filter.h"
#include "zipcache/zip_extract.h"
#include "zipcache/zip_reader.h"

namespace kivo::zipcache {

namespace {

// A member extraction would write as a file, named like a game image.
bool IsRomMember(archive_entry* entry) {
  const char* name = MemberName(entry);
  if (name == nullptr || archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry) != nullptr) {
    return false;
  }
  const std::optional<std::vector<std::string>> components = SplitMemberName(name);
  return components && common::MatchesRomFilter(components->back()) && !common::IsZipName(components->back());
}

// Reads up to `count` bytes of the current member's data into `bytes`; false when the data is damaged.
// A warning with the data is a failed checksum: the bytes are all there, and count as extraction
// counts them. Set `ended` when the member's data ended within them.
bool ReadStart(archive* reader, size_t count, std::string& bytes, bool& ended) {
  bytes.clear();
  ended = false;
  for (;;) {
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    const int status = archive_read_data_block(reader, &block, &size, &offset);
    ended = status == ARCHIVE_EOF || status == ARCHIVE_WARN;
    if (status == ARCHIVE_EOF) return true;
    if ((status != ARCHIVE_OK && status != ARCHIVE_WARN) || offset < 0 ||
        static_cast<uint64_t>(offset) < bytes.size()) {
      return false;
    }
    if (static_cast<uint64_t>(offset) >= count) return true;
    bytes.resize(static_cast<size_t>(offset), '\0');  // a gap before the block reads as zeros
    bytes.append(static_cast<const char*>(block), std::min(size, count - bytes.size()));
    if (bytes.size() == count || ended) return true;
  }
}

// The member's size when the archive does not state it: its data counted to the end, as far as
// extraction would ever write; what was read when the data breaks off.
std::int64_t CountRest(archive* reader, std::int64_t counted) {
  const std::int64_t bound = static_cast<std::int64_t>(ExtractLimits{}.maxBytes);
  while (counted < bound) {
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    const int status = archive_read_data_block(reader, &block, &size, &offset);
    if ((status != ARCHIVE_OK && status != ARCHIVE_WARN) || offset < 0 || offset > bound) break;
    counted = std::max<std::int64_t>(counted, offset + static_cast<std::int64_t>(size));
    if (status == ARCHIVE_WARN) break;
  }
  return std::min(counted, bound);
}

std::optional<MemberStart> FirstRomMemberStart(archive* reader, size_t count) {
  if (reader == nullptr) return std::nullopt;
  const size_t maxMembers = ExtractLimits{}.maxMembers;
  for (size_t entries = 0; entries < maxMembers; ++entries) {
    archive_entry* entry = nullptr;
    const int status = archive_read_next_header(reader, &entry);
    if (status == ARCHIVE_EOF || status < ARCHIVE_FAILED) return std::nullopt;
    if ((status != ARCHIVE_OK && status != ARCHIVE_WARN) || !IsRomMember(entry)) continue;
    MemberStart start;
    bool ended = false;
    if (!ReadStart(reader, count, start.bytes, ended)) return std::nullopt;
    const std::int64_t read = static_cast<std::int64_t>(start.bytes.size());
    if (archive_entry_size_is_set(entry)) {
      start.size = std::max<std::int64_t>(archive_entry_size(entry), 0);
    } else {
      start.size = ended ? read : CountRest(reader, read);
    }
    return start;
  }
  return std::nullopt;
}

}  // namespace

std::optional<MemberStart> ReadFirstRomMemberStart(const std::string& archivePath, size_t count) {
  ZipReader reader(archivePath);
  return FirstRomMemberStart(reader.Get(), count);
}

std::optional<MemberStart> ReadFirstRomMemberStartFromBytes(std::string_view archive, size_t count) {
  ZipReader reader(archive);
  return FirstRomMemberStart(reader.Get(), count);
}

}  // namespace kivo::zipcache
