// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

namespace kivo::app {

class IniDocument;
class SettingsFile;

// The sections of kivo.ini with fixed names. Every other section is a game's configuration, named
// by its caption.
namespace section {
inline constexpr std::string_view General = "General";      // options for every game, and the program's own
inline constexpr std::string_view Configs = "Configs";      // a game's caption = 1 when it has a configuration
inline constexpr std::string_view Default = "Default";      // the configuration of every other game
inline constexpr std::string_view Positions = "Positions";  // the window's place
inline constexpr std::string_view Size = "Size";            // the window's size
// Not a section: an option stored in the configuration in force.
inline constexpr std::string_view InForce = "";
}  // namespace section

enum class OptionForm { Bool, Integer, String };

// One key of kivo.ini: its section, its form, the value it has when it is missing (or holds no
// number), and for a number the range the window offers. Every key the program reads or writes is
// declared below, once; code names a key only through these declarations and reads it through
// Get. What each build of the emulator is given for an option (a switch, a key of its own file, its
// own range) is that build's, in the launch's tables; which control shows it is the window's.
struct OptionDecl {
  std::string_view key;
  std::string_view section;  // a fixed section, or section::InForce
  OptionForm form;
  int defaultValue;  // for Bool (0 or 1) and Integer
  // For an Integer the window shows on a slider or a list: its lowest and highest value.
  int minimum = 0;
  int maximum = 0;

  bool PerConfiguration() const { return section == section::InForce; }
  // The section the option lives in while `currentSection` is the configuration in force.
  std::string_view Section(std::string_view currentSection) const {
    return PerConfiguration() ? currentSection : section;
  }
  // The value held to the range (an option without one is not held).
  int Clamped(int value) const { return minimum < maximum ? std::clamp(value, minimum, maximum) : value; }
};

namespace option {
using enum OptionForm;
inline constexpr std::string_view Configuration = section::InForce;
inline constexpr std::string_view General = section::General;
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
// Both builds skip 0 to 9 frames; without a value the slider's last step.
inline constexpr OptionDecl FrameSkipValue{"FrameSkip Value", Configuration, Integer, 9, 0, 9};
inline constexpr OptionDecl CPUCycles{"CPUCycles", Configuration, Integer, 100, 50, 150};
inline constexpr OptionDecl Color0{"Color0", Configuration, Bool, 0};
// The slider's range is the widest build's; a build with a narrower one shows and gets its own.
inline constexpr OptionDecl Gamma{"Gamma", Configuration, Integer, 0, 0, 15};
inline constexpr OptionDecl DisableSPCHack{"DisableSPCHack", Configuration, Bool, 0};
inline constexpr OptionDecl OffBy1LineFix{"OffBy1LineFix", Configuration, Bool, 0};
inline constexpr OptionDecl Videomode{"Videomode", Configuration, Integer, 3};
// The native Linux build numbers other video modes than the DOS build, so its choice is stored
// apart; 2 is that build's own default, a 512x448 window.
// Shown by the video-mode group, whose binding follows the build in use.
inline constexpr OptionDecl NativeVideomode{"NativeVideomode", Configuration, Integer, 2};
// The Windows build's own numbering again; 2 is its default too, a 512x448 window.
inline constexpr OptionDecl WindowsVideomode{"WindowsVideomode", Configuration, Integer, 2};
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
// The slider runs from loud at the top (0) to silent at the bottom (100).
inline constexpr OptionDecl Volume{"Volume", General, Integer, 25, 0, 100};
inline constexpr OptionDecl DisableMouse{"DisableMouse", General, Bool, 0};
// The program's own.
inline constexpr OptionDecl RunFirst{"Run first", General, Bool, 1};  // the first-run question is still to come
inline constexpr OptionDecl ROMDirectory{"ROMDirectory", General, String, 0};     // the folder listed at start
inline constexpr OptionDecl CacheSize{"CacheSize", General, Integer, 8, 2, 100};  // ROMs kept in the zip cache
inline constexpr OptionDecl FormTop{"FormTop", section::Positions, Integer, 0};
inline constexpr OptionDecl FormLeft{"FormLeft", section::Positions, Integer, 0};
inline constexpr OptionDecl Maximized{"Maximized", section::Positions, Bool, 0};
inline constexpr OptionDecl FormWidth{"FormWidth", section::Size, Integer, 0};
inline constexpr OptionDecl FormHeight{"FormHeight", section::Size, Integer, 0};
// How the ROM list is shown: as a list (0) or with details (1), and the details' sort: the column
// (0 Name ... 6 Played) and whether reversed.
inline constexpr OptionDecl ListDetails{"ListDetails", General, Bool, 0};
inline constexpr OptionDecl ListSortColumn{"ListSortColumn", General, Integer, 0, 0, 6};
inline constexpr OptionDecl ListSortDescending{"ListSortDescending", General, Bool, 0};
}  // namespace option

// The keys of section::Configs are games' captions rather than declared names: a caption flagged 1
// has a configuration of its own, the section named by the caption.

// Every option a configuration load applies, in the order it sets their controls.
std::span<const OptionDecl* const> LoadOrder();

// The stored value of an option, as every reader takes it: for an option of the configuration in
// force from `currentSection`, else from its own section; a Bool as 0 or 1, an Integer as stored, the
// declared default when the key is missing or holds no number. Not held to the range.
int Get(const IniDocument& doc, const OptionDecl& option, std::string_view currentSection);
int Get(SettingsFile& settings, const OptionDecl& option, std::string_view currentSection);
// A String option's text (empty when missing).
std::string GetText(const IniDocument& doc, const OptionDecl& option);
std::string GetText(SettingsFile& settings, const OptionDecl& option);

}  // namespace kivo::app
