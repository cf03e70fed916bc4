// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/emulator_screenshot.h"

#include "app/options.h"
#include "app/settings_file.h"
#include "common/path.h"
#include "launch/emulator_profile.h"
#include "launch/native_launch.h"
#include "launch/windows_launch.h"

namespace kivo::launch {

screenshots::ArchiveResult ArchiveEmulatorScreenshot(app::SettingsFile& settings, std::string_view caption,
                                                     std::string_view romFileName, const std::string& currentFolder) {
  const std::string savegame = settings.ReadString(app::option::SavegamePath);
  const std::string media = settings.ReadString(app::option::MediaPath);
  const EmulatorProfile profile = FindEmulatorProfile(settings);
  if (profile.build == EmulatorBuild::Dos) return screenshots::ArchiveScreenshot(savegame, media, caption);
  // Without a save folder the emulator keeps its snapshots beside its configuration.
  const std::string config = profile.build == EmulatorBuild::Windows ? WindowsConfigFile(settings, profile.program)
                                                                     : NativeConfigFile(settings, currentFolder);
  const std::string folder = savegame.empty() ? common::ExtractFileDir(config) : savegame;
  return screenshots::ArchiveSnapshot(folder, romFileName, media, caption);
}

}  // namespace kivo::launch
