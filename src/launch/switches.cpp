// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/switches.h"

#include <array>
#include <memory>

#include "app/options.h"
#include "app/settings_file.h"
#include "launch/option_table.h"

namespace kivo::launch {

namespace {

using enum Given;
namespace o = app::option;

// The DOS build's command line, in the order of its switches' letters. It checks no range but the
// gamma's, whose 0 to 5 is narrower than the Linux build's under the same key; every other value is
// passed as stored ("-k -20" for a hand-edited volume of 120, as it always was).
constexpr std::array<EmulatorOption, 29> kDosOptions{{
    {&o::Color0, "-0", kFlag},
    {&o::DisableSPCHack, "-7", kFlag},
    {&o::Force8bit, "-8", kFlag},
    {&o::OffBy1LineFix, "-9", kFlag},
    {&o::FrameSkipValue, "-f", kFrameSkip, 0, 9, &o::FrameSkip},
    {&o::Scale, "-c", kFlag},
    {&o::SmallScreen, "-cc", kFlag},
    {&o::Debugger, "-d", kFlag},
    {&o::DisableDSP, "-dd", kFlag},
    {&o::Enter, "-e", kFlag},
    {&o::Gamma, "-g", kNumber, 0, 5},
    {&o::HiROM, "-h", kFlag},
    {&o::Interleaved, "-i", kFlag},
    {&o::DisableMouse, "-j", kFlag},
    {&o::Volume, "-k", kLoudness},
    {&o::LoROM, "-l", kFlag},
    {&o::DisableGUI, "-m", kFlag},
    {&o::Scanlines, "-n", kFlag},
    {&o::MemCopy, "-o", kMemCopy},
    {&o::CPUCycles, "-p", kNumber},
    {&o::Buffer, "-q", kFlag},
    {&o::SampleRate, "-r", kNumber},
    {&o::Sound, "-s", kFlag},
    {&o::NTSC, "-t", kFlag},
    {&o::PAL, "-u", kFlag},
    {&o::Videomode, "-v", kNumber},
    {&o::VSync, "-w", kFlag},
    {&o::Interpolation, "-y", kFlag},
    {&o::Stereo, "-z", kFlag},
}};

}  // namespace

std::span<const EmulatorOption> DosOptions() { return kDosOptions; }

std::string BuildSwitches(app::SettingsFile& settings, std::string_view section) {
  // One read of the file for all 29 pieces.
  const std::shared_ptr<const app::IniDocument> doc = settings.Snapshot();
  auto get = [&](const app::OptionDecl& option) { return app::Get(*doc, option, section); };
  std::string switches;
  auto number = [&](std::string_view name, long long value) {
    ((switches += ' ') += name) += ' ';
    switches += std::to_string(value);
  };
  for (const EmulatorOption& entry : kDosOptions) {
    const int value = get(*entry.option);
    switch (entry.given) {
      case kFlag:
        if (value != 0) (switches += ' ') += entry.name;
        break;
      case kNumber:
        number(entry.name, entry.Held(value));
        break;
      case kLoudness:
        number(entry.name, static_cast<long long>(entry.option->maximum) - value);
        break;
      case kFrameSkip:
        if (get(*entry.with) != 0) {
          number(entry.name, entry.Held(value));
        } else {
          switches += " -a";  // automatic frame skip, a switch of its own
        }
        break;
      case kMemCopy:
        if (value == 1) (switches += ' ') += entry.name;           // FPU
        if (value == 2) ((switches += ' ') += entry.name) += 'm';  // MMX
        break;
      default:
        break;  // the Linux build's forms
    }
  }
  return switches;
}

}  // namespace kivo::launch
