// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace kivo::screenshots {

// Files the emulator's last screenshot ("image.bmp" in its save folder) in the media folder under
// a list entry's caption, where the preview finds it.

enum class ArchiveResult {
  kMoved,         // the screenshot now lives in the media folder
  kNoScreenshot,  // no screenshot of the emulator's in its folder
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

// The native build names its snapshots after the ROM file it was given: the file's name without its
// extension, "_", five digits and ".png" or ".bmp", numbering on from the first free number. The
// newest such file of `romFileName` in the folder (by modification time, the higher number when two
// tie), or empty.
std::string NewestSnapshot(std::string_view snapshotFolder, std::string_view romFileName);

// Files the newest snapshot of the ROM in the media folder as the caption with the snapshot's own
// extension, where the preview finds it; never replaces a file.
ArchiveResult ArchiveSnapshot(std::string_view snapshotFolder, std::string_view romFileName, std::string_view mediaPath,
                              std::string_view caption);

}  // namespace kivo::screenshots
