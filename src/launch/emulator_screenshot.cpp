// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/emulator_screenshot.h"

#include "app/options.h"
#include "app/settings_file.h"
#include "common/path.h"
#include "launch/emulator_profile.h"
#include "launch/native_launch.h"

namespace kivo::launch {

screenshots::ArchiveResult ArchiveEmulatorScreenshot(app::SettingsFile& settings, std::string_view caption,
                                                     std::string_view romFileName, const std::string& currentFolder) {
  const std::string savegame = settings.ReadString(app::option::SavegamePath, "");
  const std::string media = settings.ReadString(app::option::MediaPath, "");
  if (FindEmulatorProfile(settings).build == EmulatorBuild::Dos)
    return screenshots::ArchiveScreenshot(savegame, media, caption);
  const std::string folder =
      savegame.empty() ? common::ExtractFileDir(NativeConfigFile(settings, currentFolder)) : savegame;
  return screenshots::ArchiveSnapshot(folder, romFileName, media, caption);
}

}  // namespace kivo::launch
