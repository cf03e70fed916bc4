// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/title_scan.h"

#include <optional>

#include "common/path.h"
#include "platform/files.h"
#include "zipcache/zip_member_start.h"

namespace kivo::browser {

namespace {

// The title of a regular file not in the table, from the `start` read of an image; nothing when an
// image that has bytes gave none.
std::optional<rom::RomTitle> ReadTitle(const std::string& path, const platform::FileFacts& file,
                                       const std::string& start) {
  if (common::IsZipName(path)) {
    const std::optional<zipcache::MemberStart> member = zipcache::ReadFirstRomMemberStart(path, rom::kTitleReadBytes);
    if (!member) return rom::RomTitle{};
    return rom::TitleFromImageStart(member->bytes, member->size);
  }
  if (file.size == 0) return rom::RomTitle{};
  if (start.empty()) return std::nullopt;
  return rom::TitleFromImageStart(start, file.size);
}

}  // namespace

void ScanTitles(const std::vector<std::string>& paths, TitleTable& table, const std::atomic<bool>& stop,
                const std::function<void(size_t index, const GameFacts& facts)>& found) {
  std::string start;
  for (size_t index = 0; index < paths.size() && !stop.load(std::memory_order_relaxed); ++index) {
    const std::string& path = paths[index];
    const TitleRecord* known = nullptr;
    // An image's start is read with the look at it, unless the table knows the file as it is.
    const std::optional<platform::FileFacts> file = platform::StatFileAndReadStart(
        path, rom::kTitleReadBytes,
        [&](const platform::FileFacts& facts) {
          known = table.Find(path, facts.size, facts.modified);
          return known == nullptr && facts.size > 0 && !common::IsZipName(path);
        },
        start);
    if (!file) continue;
    GameFacts facts{file->size, file->modified, {}};
    if (known != nullptr) {
      facts.title = known->title;
    } else if (file->regular) {
      if (std::optional<rom::RomTitle> title = ReadTitle(path, *file, start)) {
        facts.title = *title;
        table.Put(path, TitleRecord{file->size, file->modified, std::move(*title)});
      }
    }
    found(index, facts);
  }
}

}  // namespace kivo::browser
