// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/preview_lookup.h"

#include <algorithm>

#include "common/path.h"
#include "platform/files.h"

namespace kivo::screenshots {

std::string BmpCandidate(std::string_view mediaPath, std::string_view caption) {
  std::string path = common::AddBackslash(mediaPath);
  path += caption;
  path += ".bmp";
  return path;
}

std::string GifCandidate(std::string_view mediaPath, std::string_view caption) {
  std::string path(mediaPath);
  path += common::kPathSeparator;
  path += caption;
  path += ".gif";
  return path;
}

std::string PngCandidate(std::string_view mediaPath, std::string_view caption) {
  return common::AddBackslash(mediaPath) + std::string(caption) + ".png";
}

bool IsScreenshotName(std::string_view caption) {
  return !caption.empty() && std::ranges::none_of(caption, common::IsPathSeparator) &&
         caption.find('\0') == std::string_view::npos;
}

PreviewFile FindPreview(std::string_view mediaPath, std::string_view caption) {
  if (!IsScreenshotName(caption)) return {};
  std::string bmp = BmpCandidate(mediaPath, caption);
  if (platform::FileExists(bmp)) return {PreviewFormat::kBmp, bmp};
  std::string gif = GifCandidate(mediaPath, caption);
  if (platform::FileExists(gif)) return {PreviewFormat::kGif, gif};
  std::string png = PngCandidate(mediaPath, caption);
  if (platform::FileExists(png)) return {PreviewFormat::kPng, png};
  return {};
}

}  // namespace kivo::screenshots
