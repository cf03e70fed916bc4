#include "screenshots/archive_screenshot.h"

#include "common/path.h"
#include "platform/files.h"
#include "screenshots/preview_lookup.h"

std::string ScreenshotSource(std::string_view savegamePath) { return AddBackslash(savegamePath) + "image.bmp"; }

std::string ArchiveTarget(std::string_view mediaPath, std::string_view caption) {
  // The preview's BMP candidate, so a filed screenshot is the one the preview shows.
  return BmpCandidate(mediaPath, caption);
}

ArchiveResult ArchiveScreenshot(std::string_view savegamePath, std::string_view mediaPath, std::string_view caption) {
  std::string source = ScreenshotSource(savegamePath);
  if (!platform::FileExists(source)) return ArchiveResult::kNoScreenshot;
  if (!IsScreenshotName(caption)) return ArchiveResult::kFailed;
  std::string target = ArchiveTarget(mediaPath, caption);
  if (platform::MoveFile(source, target)) return ArchiveResult::kMoved;
  if (platform::FileExists(target) || platform::DirectoryExists(target)) return ArchiveResult::kTargetExists;
  return ArchiveResult::kFailed;
}
