// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kivo::app {
class SettingsFile;
}

namespace kivo::launch {

// ZSNES keeps some options in its own "ZSNES.CFG" and lets that file win over the command line, so
// before each start the lines for those options are brought in line with KIVO's settings. Every
// other line of the file stays where and as it is.

// The largest emulator configuration file read: the emulator's own are a few kilobytes.
inline constexpr size_t kEmulatorConfigLimit = size_t{4} << 20;

// One line to set: `name` carries its trailing blank ("VSync "), as ZSNES writes it; an empty
// `value` removes the line.
struct CfgSetting {
  std::string name;
  std::string value;
};

// The eight settings in the order they are applied, from the options in "General" and `section`;
// `gameDirectory` is the folder shown in the list. The save folder is "SavegamePath" unless
// `saveDirectory` gives it as the emulator sees it (a DOS path inside DOSBox).
std::vector<CfgSetting> ZsnesCfgSettings(app::SettingsFile& settings, std::string_view section,
                                         const std::string& gameDirectory, const std::string* saveDirectory = nullptr);

// The file's new bytes. Lines end at CR LF, CR or LF; any other byte, a zero byte too, is part of its
// line, so every line the file had is written again. A setting replaces the first line whose text
// before its first "=" is the name (letter case ignored), is appended when there is none, and removes
// that line when its value is empty. A value holding a line break would inject lines and one holding
// a zero byte names no folder, so neither is applied. Every line is
// written with CR LF.
std::string RewriteZsnesCfg(std::string_view bytes, const std::vector<CfgSetting>& settings);

// Rewrites "ZSNES.CFG" in the folder "ZSNESPath" names, atomically, so a failure never leaves the
// emulator's own settings half written. Does nothing when there is no such file: it is never created.
// Raises KivoError "Cannot open file <path>" when it cannot be read and "Cannot create file <path>"
// when it cannot be written.
void UpdateZsnesCfg(app::SettingsFile& settings, std::string_view section, const std::string& gameDirectory,
                    const std::string* saveDirectory = nullptr);

}  // namespace kivo::launch
