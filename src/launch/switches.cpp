#include "launch/switches.h"

#include <memory>

#include "app/settings_file.h"

namespace {

constexpr std::string_view kGeneral = "General";

}  // namespace

std::string BuildSwitches(SettingsFile& settings, std::string_view section) {
  // One read of the file for all 29 pieces; the rules are those of SettingsFile's own reads.
  std::shared_ptr<const IniDocument> doc = settings.Snapshot();
  std::string switches;
  auto flag = [&](std::string_view sec, std::string_view key, bool def, std::string_view piece) {
    if (ReadIniBool(*doc, sec, key, def)) switches += piece;
  };
  auto number = [&](std::string_view piece, long long value) {
    switches += piece;
    switches += std::to_string(value);
  };

  flag(section, "Color0", false, " -0");
  flag(section, "DisableSPCHack", false, " -7");
  flag(kGeneral, "Force8bit", false, " -8");
  flag(section, "OffBy1LineFix", false, " -9");
  if (ReadIniInteger(*doc, section, "FrameSkip", 0) != 0) {
    number(" -f ", ReadIniInteger(*doc, section, "FrameSkip Value", 0));
  } else {
    switches += " -a";
  }
  flag(section, "Scale", false, " -c");
  flag(section, "SmallScreen", false, " -cc");
  flag(kGeneral, "Debugger", false, " -d");
  flag(kGeneral, "DisableDSP", false, " -dd");
  flag(kGeneral, "Enter", true, " -e");
  number(" -g ", ReadIniInteger(*doc, section, "Gamma", 0));
  flag(section, "HiROM", false, " -h");
  flag(section, "Interleaved", false, " -i");
  flag(kGeneral, "DisableMouse", false, " -j");
  // The slider runs from 0 at the top to 100 at the bottom; ZSNES wants the loudness. A hand-edited
  // value passes through, so 120 gives "-k -20".
  number(" -k ", 100LL - ReadIniInteger(*doc, kGeneral, "Volume", 25));
  flag(section, "LoROM", false, " -l");
  flag(kGeneral, "DisableGUI", true, " -m");
  flag(section, "Scanlines", false, " -n");
  switch (ReadIniInteger(*doc, kGeneral, "MemCopy", 0)) {
    case 1:
      switches += " -o";
      break;
    case 2:
      switches += " -om";
      break;
    default:
      break;
  }
  number(" -p ", ReadIniInteger(*doc, section, "CPUCycles", 100));
  flag(kGeneral, "Buffer", false, " -q");
  number(" -r ", ReadIniInteger(*doc, kGeneral, "SampleRate", 2));
  flag(kGeneral, "Sound", true, " -s");
  flag(section, "NTSC", false, " -t");
  flag(section, "PAL", false, " -u");
  number(" -v ", ReadIniInteger(*doc, section, "Videomode", 3));
  flag(section, "VSync", false, " -w");
  flag(section, "Interpolation", false, " -y");
  flag(kGeneral, "Stereo", false, " -z");
  return switches;
}
