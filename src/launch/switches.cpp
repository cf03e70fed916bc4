// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/switches.h"

#include <memory>

#include "app/options.h"
#include "app/settings_file.h"

std::string BuildSwitches(SettingsFile& settings, std::string_view section) {
  // One read of the file for all 29 pieces; the rules are those of SettingsFile's own reads.
  std::shared_ptr<const IniDocument> doc = settings.Snapshot();
  std::string switches;
  // Keys and sections come from the option table the option panel stores with; the defaults here
  // are the launch's own (a missing key reads differently here than when the panel loads it).
  auto flag = [&](const OptionDecl& option, bool def, std::string_view piece) {
    if (ReadIniBool(*doc, option.Section(section), option.key, def)) switches += piece;
  };
  auto number = [&](std::string_view piece, long long value) {
    switches += piece;
    switches += std::to_string(value);
  };

  flag(option::Color0, false, " -0");
  flag(option::DisableSPCHack, false, " -7");
  flag(option::Force8bit, false, " -8");
  flag(option::OffBy1LineFix, false, " -9");
  if (ReadIniInteger(*doc, option::FrameSkip.Section(section), option::FrameSkip.key, 0) != 0) {
    number(" -f ", ReadIniInteger(*doc, option::FrameSkipValue.Section(section), option::FrameSkipValue.key, 0));
  } else {
    switches += " -a";
  }
  flag(option::Scale, false, " -c");
  flag(option::SmallScreen, false, " -cc");
  flag(option::Debugger, false, " -d");
  flag(option::DisableDSP, false, " -dd");
  flag(option::Enter, true, " -e");
  number(" -g ", ReadIniInteger(*doc, option::Gamma.Section(section), option::Gamma.key, 0));
  flag(option::HiROM, false, " -h");
  flag(option::Interleaved, false, " -i");
  flag(option::DisableMouse, false, " -j");
  // The slider runs from 0 at the top to 100 at the bottom; ZSNES wants the loudness. A hand-edited
  // value passes through, so 120 gives "-k -20".
  number(" -k ", 100LL - ReadIniInteger(*doc, option::Volume.Section(section), option::Volume.key, 25));
  flag(option::LoROM, false, " -l");
  flag(option::DisableGUI, true, " -m");
  flag(option::Scanlines, false, " -n");
  switch (ReadIniInteger(*doc, option::MemCopy.Section(section), option::MemCopy.key, 0)) {
    case 1:
      switches += " -o";
      break;
    case 2:
      switches += " -om";
      break;
    default:
      break;
  }
  number(" -p ", ReadIniInteger(*doc, option::CPUCycles.Section(section), option::CPUCycles.key, 100));
  flag(option::Buffer, false, " -q");
  number(" -r ", ReadIniInteger(*doc, option::SampleRate.Section(section), option::SampleRate.key, 2));
  flag(option::Sound, true, " -s");
  flag(option::NTSC, false, " -t");
  flag(option::PAL, false, " -u");
  number(" -v ", ReadIniInteger(*doc, option::Videomode.Section(section), option::Videomode.key, 3));
  flag(option::VSync, false, " -w");
  flag(option::Interpolation, false, " -y");
  flag(option::Stereo, false, " -z");
  return switches;
}
