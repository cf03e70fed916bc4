// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>

class SettingsFile;

// Where an option is stored: in "General" for every game, or in the configuration in force.
enum class OptionScope { General, Configuration };
enum class OptionForm { Bool, Integer, String };

// One emulator option as the option panel stores and loads it. The panel binds each control to one
// of these, so the key, its section and the default used when loading are written down once.
struct OptionDecl {
  std::string_view key;
  OptionScope scope;
  OptionForm form;
  int loadDefault;  // for Bool and Integer: the value a load shows when the key is missing

  // The section the option lives in while `currentSection` is the configuration in force.
  std::string_view Section(std::string_view currentSection) const {
    return scope == OptionScope::General ? std::string_view("General") : currentSection;
  }
};

namespace option {
using enum OptionScope;
using enum OptionForm;
// Per configuration.
inline constexpr OptionDecl Interleaved{"Interleaved", Configuration, Bool, 0};
inline constexpr OptionDecl NTSC{"NTSC", Configuration, Bool, 0};
inline constexpr OptionDecl PAL{"PAL", Configuration, Bool, 0};
inline constexpr OptionDecl HiROM{"HiROM", Configuration, Bool, 0};
inline constexpr OptionDecl LoROM{"LoROM", Configuration, Bool, 0};
inline constexpr OptionDecl Scanlines{"Scanlines", Configuration, Bool, 0};
inline constexpr OptionDecl Scale{"Scale", Configuration, Bool, 0};
inline constexpr OptionDecl Interpolation{"Interpolation", Configuration, Bool, 0};
inline constexpr OptionDecl VSync{"VSync", Configuration, Bool, 0};
inline constexpr OptionDecl NewEngine{"NewEngine", Configuration, Bool, 0};
inline constexpr OptionDecl SmallScreen{"SmallScreen", Configuration, Bool, 0};
inline constexpr OptionDecl FrameSkip{"FrameSkip", Configuration, Bool, 0};
// 100 is beyond the slider's range on purpose: a missing key loads as the slider's maximum.
inline constexpr OptionDecl FrameSkipValue{"FrameSkip Value", Configuration, Integer, 100};
inline constexpr OptionDecl CPUCycles{"CPUCycles", Configuration, Integer, 100};
inline constexpr OptionDecl Color0{"Color0", Configuration, Bool, 0};
inline constexpr OptionDecl Gamma{"Gamma", Configuration, Integer, 0};
inline constexpr OptionDecl DisableSPCHack{"DisableSPCHack", Configuration, Bool, 0};
inline constexpr OptionDecl OffBy1LineFix{"OffBy1LineFix", Configuration, Bool, 0};
inline constexpr OptionDecl Videomode{"Videomode", Configuration, Integer, 3};
// The native Linux build numbers other video modes than the DOS build, so its choice is stored
// apart; 2 is that build's own default, a 512x448 window.
inline constexpr OptionDecl NativeVideomode{"NativeVideomode", Configuration, Integer, 2};
// For every game.
inline constexpr OptionDecl HighPriority{"High Priority", General, Bool, 0};
inline constexpr OptionDecl DisableGUI{"DisableGUI", General, Bool, 1};
inline constexpr OptionDecl ShellBat{"ShellBat", General, Bool, 0};
inline constexpr OptionDecl MemCopy{"MemCopy", General, Integer, 0};
inline constexpr OptionDecl SampleRate{"SampleRate", General, Integer, 2};
inline constexpr OptionDecl Sound{"Sound", General, Bool, 1};
inline constexpr OptionDecl Buffer{"Buffer", General, Bool, 0};
inline constexpr OptionDecl Stereo{"Stereo", General, Bool, 0};
inline constexpr OptionDecl Force8bit{"Force8bit", General, Bool, 0};
inline constexpr OptionDecl Enter{"Enter", General, Bool, 1};
inline constexpr OptionDecl Debugger{"Debugger", General, Bool, 0};
inline constexpr OptionDecl DisableDSP{"DisableDSP", General, Bool, 0};
inline constexpr OptionDecl ZSNESPath{"ZSNESPath", General, String, 0};
inline constexpr OptionDecl MediaPath{"MediaPath", General, String, 0};
inline constexpr OptionDecl SavegamePath{"SavegamePath", General, String, 0};
inline constexpr OptionDecl ExtraCommand{"ExtraCommand", General, String, 0};
inline constexpr OptionDecl Volume{"Volume", General, Integer, 25};
inline constexpr OptionDecl DisableMouse{"DisableMouse", General, Bool, 0};
}  // namespace option

// Every option a configuration load applies, in the order it reads them: the order matters,
// because each control that changes on loading writes its value back at once.
std::span<const OptionDecl* const> LoadOrder();

// The stored value of an option for a load: Bool and Integer as a number (a Bool as 0 or 1), the
// key's default when it is missing or not a number.
int ReadOptionNumber(SettingsFile& settings, const OptionDecl& option, std::string_view currentSection);
std::string ReadOptionText(SettingsFile& settings, const OptionDecl& option);
