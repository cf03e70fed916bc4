// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/emulator_screenshot.h"

#include "app/options.h"
#include "app/settings_file.h"
#include "common/path.h"
#include "launch/emulator_profile.h"
#include "launch/native_launch.h"

ArchiveResult ArchiveEmulatorScreenshot(SettingsFile& settings, std::string_view caption, std::string_view romFileName,
                                        const std::string& currentFolder) {
  const std::string savegame = settings.ReadString(option::SavegamePath, "");
  const std::string media = settings.ReadString(option::MediaPath, "");
  if (FindEmulatorProfile(settings).build == EmulatorBuild::Dos) return ArchiveScreenshot(savegame, media, caption);
  const std::string folder = savegame.empty() ? ExtractFileDir(NativeConfigFile(settings, currentFolder)) : savegame;
  return ArchiveSnapshot(folder, romFileName, media, caption);
}
