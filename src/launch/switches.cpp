// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/switches.h"

#include <algorithm>
#include <memory>

#include "app/options.h"
#include "app/settings_file.h"
#include "launch/emulator_profile.h"

namespace kivo::launch {

std::string BuildSwitches(app::SettingsFile& settings, std::string_view section) {
  using namespace app::option;
  // One read of the file for all 29 pieces; the rules are those of SettingsFile's own reads.
  std::shared_ptr<const app::IniDocument> doc = settings.Snapshot();
  std::string switches;
  // Keys, sections and switches come from the option table; the defaults here are the launch's
  // own (a missing key reads differently here than when the panel loads it).
  auto read = [&](const app::OptionDecl& option, int def) {
    return app::ReadIniInteger(*doc, option.Section(section), option.key, def);
  };
  auto flag = [&](const app::OptionDecl& option, bool def) {
    if (app::ReadIniBool(*doc, option.Section(section), option.key, def)) (switches += ' ') += option.dosSwitch;
  };
  auto number = [&](const app::OptionDecl& option, long long value) {
    ((switches += ' ') += option.dosSwitch) += ' ';
    switches += std::to_string(value);
  };

  flag(Color0, false);
  flag(DisableSPCHack, false);
  flag(Force8bit, false);
  flag(OffBy1LineFix, false);
  if (read(FrameSkip, 0) != 0) {
    number(FrameSkipValue, std::clamp(read(FrameSkipValue, kFrameSkipMaximum), 0, kFrameSkipMaximum));
  } else {
    switches += " -a";  // automatic frame skip, a switch of its own
  }
  flag(Scale, false);
  flag(SmallScreen, false);
  flag(Debugger, false);
  flag(DisableDSP, false);
  flag(Enter, true);
  // The Linux build's gamma runs further, and a value stored there stays in the file for it: this
  // build gets the nearest of its own, as its slider shows.
  number(Gamma, std::clamp(read(Gamma, 0), 0, PanelProfileOf(EmulatorBuild::Dos).gammaMaximum));
  flag(HiROM, false);
  flag(Interleaved, false);
  flag(DisableMouse, false);
  // The slider runs from 0 at the top to 100 at the bottom; ZSNES wants the loudness. A hand-edited
  // value passes through, so 120 gives "-k -20".
  number(Volume, 100LL - read(Volume, 25));
  flag(LoROM, false);
  flag(DisableGUI, true);
  flag(Scanlines, false);
  switch (read(MemCopy, 0)) {
    case 1:  // FPU
      (switches += ' ') += MemCopy.dosSwitch;
      break;
    case 2:  // MMX: the same switch with "m"
      ((switches += ' ') += MemCopy.dosSwitch) += 'm';
      break;
    default:
      break;
  }
  number(CPUCycles, read(CPUCycles, 100));
  flag(Buffer, false);
  number(SampleRate, read(SampleRate, 2));
  flag(Sound, true);
  flag(NTSC, false);
  flag(PAL, false);
  number(Videomode, read(Videomode, 3));
  flag(VSync, false);
  flag(Interpolation, false);
  flag(Stereo, false);
  return switches;
}

}  // namespace kivo::launch
