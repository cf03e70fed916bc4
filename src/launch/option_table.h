// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

#include "app/options.h"

namespace kivo::launch {

// How a build of the emulator is given an option's value.
enum class Given {
  kFlag,         // the switch when the option is on
  kNumber,       // the switch, then the value (held to the build's range when it has one)
  kLoudness,     // the switch, then the option's maximum less the value: the slider runs loud to silent
  kFrameSkip,    // "-f" and the frames to skip while `with` (frame skip) is on, else "-a"
  kMemCopy,      // 1: the switch, 2: the switch and "m" (MMX), 0: nothing
  kLevel,        // the switch, then 1 when on and 0 when off
  kOnOff,        // the switch when on, `off` when off
  kIndex,        // the switch, then a list index: one beyond the build's range gives the default
  kCfgOnOff,     // the configuration file's key, 1 or 0
  kCfgFrameSkip  // the key: 0 (automatic) unless `with` is on, then 1 + the frames to skip
};

// One option in one build's table: what that build is given for it, under which name (a switch, or
// a key of its own configuration file), within which range of its own.
struct EmulatorOption {
  const app::OptionDecl* option;
  std::string_view name;
  Given given;
  int low = 0;  // low < high: the build's own range, which values are held to
  int high = 0;
  const app::OptionDecl* with = nullptr;  // kFrameSkip, kCfgFrameSkip: the switch that turns it on
  std::string_view off = {};              // kOnOff
  // True when the entry gives the option (itself, or as the one that turns it on).
  bool Gives(const app::OptionDecl& other) const { return option == &other || with == &other; }
  int Held(int value) const { return low < high ? std::clamp(value, low, high) : value; }
};

// The DOS build's switches, in the order its command line takes them.
std::span<const EmulatorOption> DosOptions();
// The Linux build's switches (without the video mode, which each build numbers its own way) and
// the keys of zsnesl.cfg KIVO sets; the Windows build shares both.
std::span<const EmulatorOption> NativeSwitchOptions();
std::span<const EmulatorOption> NativeCfgOptions();

}  // namespace kivo::launch
