// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/native_options.h"

namespace kivo::launch {

// The native build's own settings file, zsnesl.cfg: "key=value" lines, ";" comments, keys in their
// letter case. KIVO sets only the keys of its options and leaves every other line as it stands, so
// what the user set in the emulator itself survives a launch.

// The folder the native build keeps zsnesl.cfg in, found as it finds it: ~/.zsnes when that folder
// exists, otherwise $XDG_CONFIG_HOME/zsnes, otherwise ~/.config/zsnes; with neither HOME nor
// XDG_CONFIG_HOME set, the folder it was started in (`startFolder`). No separator at its end.
std::string NativeConfigFolder(const std::string& startFolder);

// The value of the key's last line (the one the emulator keeps), as the line holds it; nothing when
// no line sets the key. The emulator's other files (zcfgloc.cfg) share the format.
std::optional<std::string> ReadCfgValue(std::string_view bytes, std::string_view key);

// The file's new bytes. A setting replaces the value on every line of its key (the emulator reads
// the last one), keeping the line's comment; a key no line has is appended. A value holding a line
// break would become a line of its own, so it is not applied. Lines keep their own endings; an
// appended line ends in LF, as the emulator writes the file.
std::string RewriteZsneslCfg(std::string_view bytes, const std::vector<NativeCfgSetting>& settings);

// Brings the file in line, creating it (and its folder) when missing, replacing it atomically.
// Raises KivoError "Cannot open file <path>" when it exists but cannot be read and "Cannot create
// file <path>" when it cannot be written.
void UpdateZsneslCfg(const std::string& path, const std::vector<NativeCfgSetting>& settings);

}  // namespace kivo::launch
