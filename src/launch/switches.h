// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace kivo::app {
class SettingsFile;
}

namespace kivo::launch {

// The ZSNES switch string for the options stored now: global ones from "General", per-game ones
// from `section` (the configuration in force). Every switch starts with a blank; values are passed
// as read, without range checks, but for the gamma, which is held inside this build's range (the
// Linux build's is wider, and both keep it under one key). Reads only.
std::string BuildSwitches(app::SettingsFile& settings, std::string_view section);

}  // namespace kivo::launch
