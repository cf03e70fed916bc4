// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/archive_screenshot.h"

#include <algorithm>
#include <optional>

#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "screenshots/preview_lookup.h"

namespace kivo::screenshots {

std::string ScreenshotSource(std::string_view savegamePath) { return common::AddBackslash(savegamePath) + "image.bmp"; }

std::string ArchiveTarget(std::string_view mediaPath, std::string_view caption) {
  // The preview's BMP candidate, so a filed screenshot is the one the preview shows.
  return BmpCandidate(mediaPath, caption);
}

namespace {

// Moves the screenshot `source` to `target` unless a file or folder is there.
ArchiveResult FileScreenshot(const std::string& source, const std::string& target) {
  if (platform::MoveFile(source, target)) return ArchiveResult::kMoved;
  if (platform::FileExists(target) || platform::DirectoryExists(target)) return ArchiveResult::kTargetExists;
  return ArchiveResult::kFailed;
}

bool IsSnapshotName(std::string_view name, std::string_view stem) {
  if (name.size() != stem.size() + 10 || !name.starts_with(stem) || name[stem.size()] != '_') return false;
  std::string_view number = name.substr(stem.size() + 1, 5);
  std::string_view ext = name.substr(stem.size() + 6);
  return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         (ext == ".png" || ext == ".bmp");
}

}  // namespace

ArchiveResult ArchiveScreenshot(std::string_view savegamePath, std::string_view mediaPath, std::string_view caption) {
  std::string source = ScreenshotSource(savegamePath);
  if (!platform::FileExists(source)) return ArchiveResult::kNoScreenshot;
  if (!IsScreenshotName(caption)) return ArchiveResult::kFailed;
  return FileScreenshot(source, ArchiveTarget(mediaPath, caption));
}

std::string NewestSnapshot(std::string_view snapshotFolder, std::string_view romFileName) {
  const std::string stem = common::StripFileExt(romFileName);
  const std::string folder = common::AddBackslash(snapshotFolder);
  std::string newest;
  int64_t newestTime = 0;
  for (const platform::DirItem& item : platform::ListDirectory(std::string(snapshotFolder))) {
    if (item.isDirectory || !IsSnapshotName(item.name, stem)) continue;
    std::optional<int64_t> time = platform::ModifiedTime(folder + item.name);
    if (!time) continue;
    // Names of one ROM differ only in their number, so comparing names compares numbers.
    if (newest.empty() || *time > newestTime || (*time == newestTime && item.name > common::ExtractFileName(newest))) {
      newest = folder + item.name;
      newestTime = *time;
    }
  }
  return newest;
}

ArchiveResult ArchiveSnapshot(std::string_view snapshotFolder, std::string_view romFileName, std::string_view mediaPath,
                              std::string_view caption) {
  std::string source = NewestSnapshot(snapshotFolder, romFileName);
  if (source.empty()) return ArchiveResult::kNoScreenshot;
  if (!IsScreenshotName(caption)) return ArchiveResult::kFailed;
  return FileScreenshot(source,
                        common::AddBackslash(mediaPath) + std::string(caption) + common::ExtractFileExt(source));
}

}  // namespace kivo::screenshots
