// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace kivo::screenshots {

// Which screenshot the preview shows for a list entry. A screenshot lives in the media folder under
// the entry's caption with ".bmp", ".gif" or ".png" (the native emulator's snapshots), looked for in
// that order.

enum class PreviewFormat { kNone, kBmp, kGif, kPng };

struct PreviewFile {
  PreviewFormat format = PreviewFormat::kNone;
  std::string path;  // empty for kNone

  bool operator==(const PreviewFile&) const = default;
};

// The media folder through AddBackslash, the caption and ".bmp" (an empty folder gives a path
// relative to the current folder).
std::string BmpCandidate(std::string_view mediaPath, std::string_view caption);

// The media folder as stored, one separator, the caption and ".gif". The separator goes in even
// when the folder already ends in one or is empty: screenshot folders were set up for this form,
// and a doubled separator names the same folder.
std::string GifCandidate(std::string_view mediaPath, std::string_view caption);

// The media folder through AddBackslash, the caption and ".png".
std::string PngCandidate(std::string_view mediaPath, std::string_view caption);

// True when a caption can name a file inside the media folder. A drive entry's caption is a root
// path here ("/", "/media/usb"); joined to the media folder it would reach into sub-folders, so
// such an entry has no screenshot, just as a drive letter with its colon never names a file.
bool IsScreenshotName(std::string_view caption);

// Looks for the entry's screenshot, BMP first, then GIF, then PNG; a folder of the candidate's name does not
// count. Every call asks the file system afresh.
PreviewFile FindPreview(std::string_view mediaPath, std::string_view caption);

}  // namespace kivo::screenshots
