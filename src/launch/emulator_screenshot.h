// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "screenshots/archive_screenshot.h"

namespace kivo::app {
class SettingsFile;
}

namespace kivo::launch {

// Files the emulator's last screenshot of a game in the media folder under the list entry's caption,
// from where the build in use leaves it: the DOS build's "image.bmp" in the "Savegame" folder; the
// native build's newest snapshot of the ROM file it was given (`romFileName`) in its snapshot folder,
// which a launch points at "Savegame" (its own configuration folder while that is empty).
// `currentFolder` is the folder shown in the list.
screenshots::ArchiveResult ArchiveEmulatorScreenshot(app::SettingsFile& settings, std::string_view caption,
                                                     std::string_view romFileName, const std::string& currentFolder);

}  // namespace kivo::launch
