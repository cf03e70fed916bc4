// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/title_scan.h"

#include <optional>

#include "common/path.h"
#include "platform/files.h"
#include "zipcache/zip_member_start.h"

namespace kivo::browser {

namespace {

// The title of a regular file's header; nothing when an image that has bytes gives none to read.
std::optional<rom::RomTitle> ReadTitle(const std::string& path, std::int64_t fileSize) {
  if (common::IsZipName(path)) {
    const std::optional<zipcache::MemberStart> member = zipcache::ReadFirstRomMemberStart(path, rom::kTitleReadBytes);
    if (!member) return rom::RomTitle{};
    return rom::TitleFromImageStart(member->bytes, member->size);
  }
  if (fileSize == 0) return rom::RomTitle{};
  const std::string start = platform::ReadFileStart(path, rom::kTitleReadBytes);
  if (start.empty()) return std::nullopt;
  return rom::TitleFromImageStart(start, fileSize);
}

}  // namespace

void ScanTitles(const std::vector<std::string>& paths, TitleTable& table, const std::atomic<bool>& stop,
                const std::function<void(size_t index, const GameFacts& facts)>& found) {
  for (size_t index = 0; index < paths.size() && !stop.load(std::memory_order_relaxed); ++index) {
    const std::string& path = paths[index];
    const std::optional<platform::FileFacts> file = platform::StatFile(path);
    if (!file) continue;
    GameFacts facts{file->size, file->modified, {}};
    if (const TitleRecord* known = table.Find(path, file->size, file->modified)) {
      facts.title = known->title;
    } else if (file->regular) {
      if (std::optional<rom::RomTitle> title = ReadTitle(path, file->size)) {
        facts.title = *title;
        table.Put(path, TitleRecord{file->size, file->modified, std::move(*title)});
      }
    }
    found(index, facts);
  }
}

}  // namespace kivo::browser
