// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/native_options.h"

#include <array>
#include <memory>

#include "app/options.h"
#include "app/settings_file.h"
#include "common/path.h"
#include "launch/emulator_profile.h"
#include "launch/option_table.h"

namespace kivo::launch {

namespace {

using enum Given;
namespace o = app::option;

// The switches the Linux (and Windows) build is given in every launch, in the order of their
// letters, held to the ranges its command line checks (it refuses to start on a value outside).
constexpr std::array<EmulatorOption, 12> kNativeSwitches{{
    {&o::DisableDSP, "-dd", kFlag},
    {&o::Gamma, "-g", kNumber, 0, 15},
    {&o::HiROM, "-h", kFlag},
    {&o::DisableMouse, "-j", kFlag},
    {&o::Volume, "-k", kLoudness, 0, 100},
    {&o::LoROM, "-l", kFlag},
    {&o::Scanlines, "-n", kLevel},  // 1 is full scanlines
    {&o::CPUCycles, "-p", kNumber, 50, 150},
    {&o::SampleRate, "-r", kIndex, 0, 6},  // 6 is 48000 Hz, which the DOS build lacks
    {&o::Sound, "-s", kOnOff, 0, 0, nullptr, "-ds"},
    {&o::NTSC, "-t", kFlag},
    {&o::PAL, "-u", kFlag},
}};

// What it takes only from zsnesl.cfg, or would write back from a switch into the next launch.
constexpr std::array<EmulatorOption, 6> kNativeCfg{{
    {&o::FrameSkipValue, "frameskip", kCfgFrameSkip, 0, 9, &o::FrameSkip},
    {&o::DisableGUI, "guioff", kCfgOnOff},
    {&o::VSync, "vsyncon", kCfgOnOff},
    {&o::Interpolation, "antienab", kCfgOnOff},
    {&o::NewEngine, "newengen", kCfgOnOff},
    {&o::Stereo, "StereoSound", kCfgOnOff},
}};

}  // namespace

std::span<const EmulatorOption> NativeSwitchOptions() { return kNativeSwitches; }
std::span<const EmulatorOption> NativeCfgOptions() { return kNativeCfg; }

std::vector<std::string> BuildNativeSwitches(app::SettingsFile& settings, std::string_view section,
                                             EmulatorBuild build) {
  const std::shared_ptr<const app::IniDocument> doc = settings.Snapshot();
  auto get = [&](const app::OptionDecl& option) { return app::Get(*doc, option, section); };
  std::vector<std::string> switches;
  auto number = [&](std::string_view name, int value) {
    switches.emplace_back(name);
    switches.push_back(std::to_string(value));
  };
  // A list index the build does not have (a typed sample rate reads -1) gives the default.
  auto index = [&](const app::OptionDecl& option, int value, int high) {
    return value >= 0 && value <= high ? value : option.defaultValue;
  };
  for (const EmulatorOption& entry : NativeSwitchOptions()) {
    const int value = get(*entry.option);
    switch (entry.given) {
      case kFlag:
        if (value != 0) switches.emplace_back(entry.name);
        break;
      case kNumber:
        number(entry.name, entry.Held(value));
        break;
      case kLoudness:
        number(entry.name, entry.option->maximum - entry.Held(value));
        break;
      case kLevel:
        number(entry.name, value != 0 ? 1 : 0);
        break;
      case kOnOff:
        switches.emplace_back(value != 0 ? entry.name : entry.off);
        break;
      case kIndex:
        number(entry.name, index(*entry.option, value, entry.high));
        break;
      default:
        break;  // the DOS build's forms and the configuration file's
    }
  }
  const PanelProfile& panel = PanelProfileOf(build);
  number("-v", index(*panel.videoMode, get(*panel.videoMode), panel.videoModeMaximum));
  return switches;
}

std::vector<NativeCfgSetting> NativeCfgSettings(app::SettingsFile& settings, std::string_view section,
                                                const std::string& romFolder) {
  const std::shared_ptr<const app::IniDocument> doc = settings.Snapshot();
  std::vector<NativeCfgSetting> lines;
  for (const EmulatorOption& entry : NativeCfgOptions()) {
    const int value = app::Get(*doc, *entry.option, section);
    if (entry.given == kCfgOnOff) lines.push_back({std::string(entry.name), value != 0 ? "1" : "0"});
    if (entry.given == kCfgFrameSkip) {
      const bool on = app::Get(*doc, *entry.with, section) != 0;
      lines.push_back({std::string(entry.name), std::to_string(on ? entry.Held(value) + 1 : 0)});
    }
  }
  // The emulator appends the separator itself, but writes its folders back with one.
  const std::string saveFolder = QuoteCfgString(common::AddBackslash(app::GetText(*doc, o::SavegamePath)));
  lines.push_back({"ROMPath", QuoteCfgString(common::AddBackslash(romFolder))});
  for (const char* key : {"SRAMPath", "SStatePath", "SnapPath"}) lines.push_back({key, saveFolder});
  return lines;
}

std::string QuoteCfgString(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"' || c == '\'' || c == '\t') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace kivo::launch
