// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/options.h"

#include <array>

#include "app/settings_file.h"

namespace kivo::app {

std::span<const OptionDecl* const> LoadOrder() {
  using namespace option;
  static constexpr std::array<const OptionDecl*, 39> kOrder = {
      &Interleaved,
      &NTSC,
      &PAL,
      &HiROM,
      &LoROM,
      &Scanlines,
      &Scale,
      &Interpolation,
      &VSync,
      &NewEngine,
      &SmallScreen,
      &FrameSkip,
      &FrameSkipValue,
      &CPUCycles,
      &Color0,
      &Gamma,
      &HighPriority,
      &DisableGUI,
      &DisableSPCHack,
      &OffBy1LineFix,
      &ShellBat,
      &MemCopy,
      &SampleRate,
      &Sound,
      &Buffer,
      &Stereo,
      &Force8bit,
      &Enter,
      &Debugger,
      &DisableDSP,
      &ZSNESPath,
      &MediaPath,
      &SavegamePath,
      &ExtraCommand,
      &Volume,
      &DisableMouse,
      &Videomode,
      &NativeVideomode,
      &WindowsVideomode,
  };
  return kOrder;
}

int ReadOptionNumber(SettingsFile& settings, const OptionDecl& option, std::string_view currentSection) {
  std::string_view section = option.Section(currentSection);
  if (option.form == OptionForm::Bool) return settings.ReadBool(section, option.key, option.loadDefault != 0) ? 1 : 0;
  return settings.ReadInteger(section, option.key, option.loadDefault);
}

std::string ReadOptionText(SettingsFile& settings, const OptionDecl& option) {
  return settings.ReadString(option.Section(""), option.key, "");
}

}  // namespace kivo::app
