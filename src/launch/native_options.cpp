// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/native_options.h"

#include <algorithm>
#include <memory>

#include "app/options.h"
#include "app/settings_file.h"
#include "common/path.h"
#include "launch/emulator_profile.h"

namespace kivo::launch {

namespace {

// The native build's ranges, as its command line checks them.
constexpr int kGammaMax = 15;
constexpr int kVolumeMax = 100;
constexpr int kCpuMin = 50;
constexpr int kCpuMax = 150;
constexpr int kSampleRateMax = 6;  // 6 is 48000 Hz, which the DOS build lacks

// Reads the option from its section with the launch's default.
class OptionReader {
 public:
  OptionReader(app::SettingsFile& settings, std::string_view section) : doc_(settings.Snapshot()), section_(section) {}

  bool On(const app::OptionDecl& option, bool def) const {
    return app::ReadIniBool(*doc_, option.Section(section_), option.key, def);
  }
  int Number(const app::OptionDecl& option, int def) const {
    return app::ReadIniInteger(*doc_, option.Section(section_), option.key, def);
  }
  // A slider's value, held inside the build's range.
  int Clamped(const app::OptionDecl& option, int def, int low, int high) const {
    return std::clamp(Number(option, def), low, high);
  }
  // A list index: one the build does not have (a typed sample rate reads -1) gives the default.
  int Index(const app::OptionDecl& option, int def, int high) const {
    int value = Number(option, def);
    return value >= 0 && value <= high ? value : def;
  }
  std::string Text(const app::OptionDecl& option) const {
    return app::ReadIniString(*doc_, option.Section(section_), option.key, "");
  }

 private:
  std::shared_ptr<const app::IniDocument> doc_;
  std::string_view section_;
};

}  // namespace

std::vector<std::string> BuildNativeSwitches(app::SettingsFile& settings, std::string_view section,
                                             EmulatorBuild build) {
  using namespace app::option;
  const OptionReader read(settings, section);
  std::vector<std::string> switches;
  // Switches and their meanings come from the option table, held inside this build's ranges.
  auto flag = [&](const app::OptionDecl& option, bool def) {
    if (read.On(option, def)) switches.emplace_back(option.nativeName);
  };
  auto number = [&](const app::OptionDecl& option, int value) {
    switches.emplace_back(option.nativeName);
    switches.push_back(std::to_string(value));
  };

  flag(DisableDSP, false);
  number(Gamma, read.Clamped(Gamma, 0, 0, kGammaMax));
  flag(HiROM, false);
  flag(DisableMouse, false);
  // The slider runs from 0 at the top to 100 at the bottom; the emulator wants the loudness.
  number(Volume, kVolumeMax - read.Clamped(Volume, 25, 0, kVolumeMax));
  flag(LoROM, false);
  number(Scanlines, read.On(Scanlines, false) ? 1 : 0);  // 1 is full scanlines
  number(CPUCycles, read.Clamped(CPUCycles, 100, kCpuMin, kCpuMax));
  number(SampleRate, read.Index(SampleRate, 2, kSampleRateMax));
  switches.emplace_back(read.On(Sound, true) ? Sound.nativeName : "-ds");  // "-ds": sound off
  flag(NTSC, false);
  flag(PAL, false);
  const PanelProfile& panel = PanelProfileOf(build);
  const app::OptionDecl& videoMode = *panel.videoMode;
  number(videoMode, read.Index(videoMode, videoMode.loadDefault, panel.videoModeMaximum));
  return switches;
}

std::vector<NativeCfgSetting> NativeCfgSettings(app::SettingsFile& settings, std::string_view section,
                                                const std::string& romFolder) {
  using namespace app::option;
  const OptionReader read(settings, section);
  auto onOff = [](bool on) { return std::string(on ? "1" : "0"); };
  // 0 is automatic frame skip; 1 to 10 skip 0 to 9 frames.
  const int frameSkip =
      read.On(FrameSkip, false) ? read.Clamped(FrameSkipValue, kFrameSkipMaximum, 0, kFrameSkipMaximum) + 1 : 0;
  const std::string savegame = read.Text(SavegamePath);
  // The emulator appends the separator itself, but writes its folders back with one.
  const std::string saveFolder = QuoteCfgString(common::AddBackslash(savegame));
  auto key = [](const app::OptionDecl& option) { return std::string(option.nativeName); };
  return {
      {key(FrameSkip), std::to_string(frameSkip)},
      {key(DisableGUI), onOff(read.On(DisableGUI, true))},
      {key(VSync), onOff(read.On(VSync, false))},
      {key(Interpolation), onOff(read.On(Interpolation, false))},
      {key(NewEngine), onOff(read.On(NewEngine, false))},
      {key(Stereo), onOff(read.On(Stereo, false))},
      {"ROMPath", QuoteCfgString(common::AddBackslash(romFolder))},
      {"SRAMPath", saveFolder},
      {"SStatePath", saveFolder},
      {"SnapPath", saveFolder},
  };
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
