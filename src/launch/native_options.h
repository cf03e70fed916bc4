// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launch/emulator_profile.h"

namespace kivo::app {
class SettingsFile;
}

namespace kivo::launch {

// How the options stored now reach the native Linux build of ZSNES, and the Windows build, which
// shares its switches, keys and ranges and numbers only its video modes apart. It takes some options as
// switches and others only from its zsnesl.cfg; and it writes several switch values back into that
// file when it ends. So an option goes on the command line only when a switch sets it in every
// launch (a number, or a pair such as -s / -ds), and into zsnesl.cfg otherwise: either way an
// earlier launch's choice never carries over. Numbers are kept inside the build's own ranges, since
// it refuses to start on a value outside them. Options the build lacks are never passed.

// The switches, in the order of their letters, each switch and each number a word of its own; the
// video mode as `build` (Native or Windows) numbers it.
std::vector<std::string> BuildNativeSwitches(app::SettingsFile& settings, std::string_view section,
                                             EmulatorBuild build);

// One zsnesl.cfg line KIVO sets: the key and its value as the file holds it (numbers in decimal,
// folders in double quotes).
struct NativeCfgSetting {
  std::string key;
  std::string value;

  bool operator==(const NativeCfgSetting&) const = default;
};

// The zsnesl.cfg settings for a launch. "Savegame" is where the emulator keeps saves, save states and
// snapshots (empty: its own configuration folder); `romFolder` becomes its ROM folder.
std::vector<NativeCfgSetting> NativeCfgSettings(app::SettingsFile& settings, std::string_view section,
                                                const std::string& romFolder);

// A string value as zsnesl.cfg writes it: in double quotes, with a backslash before \ " ' and tab.
std::string QuoteCfgString(std::string_view text);

}  // namespace kivo::launch
