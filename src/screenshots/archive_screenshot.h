#pragma once

#include <string>
#include <string_view>

// Files the emulator's last screenshot ("image.bmp" in its save folder) in the media folder under
// a list entry's caption, where the preview finds it.

enum class ArchiveResult {
  kMoved,         // the screenshot now lives in the media folder
  kNoScreenshot,  // no "image.bmp" in the save folder
  kTargetExists,  // a screenshot of that name is already filed; both files stay as they were
  kFailed,        // the caption names no file in the media folder, or the move failed (source kept)
};

// The save folder through AddBackslash, then "image.bmp".
std::string ScreenshotSource(std::string_view savegamePath);

// The media folder through AddBackslash, the caption, then ".bmp".
std::string ArchiveTarget(std::string_view mediaPath, std::string_view caption);

// Moves the screenshot; never replaces a file, and across file systems removes the source only
// once the copy is complete. Nothing is shown to the user whatever the result.
ArchiveResult ArchiveScreenshot(std::string_view savegamePath, std::string_view mediaPath, std::string_view caption);
