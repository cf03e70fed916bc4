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

int Get(const IniDocument& doc, const OptionDecl& option, std::string_view currentSection) {
  const std::string_view section = option.Section(currentSection);
  if (option.form == OptionForm::Bool) return ReadIniBool(doc, section, option.key, option.defaultValue != 0) ? 1 : 0;
  return ReadIniInteger(doc, section, option.key, option.defaultValue);
}

int Get(SettingsFile& settings, const OptionDecl& option, std::string_view currentSection) {
  return Get(*settings.Snapshot(), option, currentSection);
}

std::string GetText(const IniDocument& doc, const OptionDecl& option) {
  return ReadIniString(doc, option.Section(""), option.key, "");
}

std::string GetText(SettingsFile& settings, const OptionDecl& option) { return GetText(*settings.Snapshot(), option); }

}  // namespace kivo::app
