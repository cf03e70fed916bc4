// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kivo::app {

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

// One key of kivo.ini: its section, its form and the default a load shows when it is missing.
// Every key the program reads or writes is declared below, once; code names a key only through
// these declarations, and the option panel binds each control to one of them.
struct OptionDecl {
  std::string_view key;
  std::string_view section;  // a fixed section, or section::InForce
  OptionForm form;
  int loadDefault;  // for Bool and Integer: the value a load shows when the key is missing
  // The object name of the window's control that shows and stores it; empty for keys without one.
  std::string_view control = {};
  // What each build of the emulator is given for it: the DOS build's switch, and the Linux build's
  // switch (starting with "-") or zsnesl.cfg key; empty where the build has nothing with that
  // meaning. Options of neither are KIVO's own.
  std::string_view dosSwitch = {};
  std::string_view nativeName = {};

  bool PerConfiguration() const { return section == section::InForce; }
  // The section the option lives in while `currentSection` is the configuration in force.
  std::string_view Section(std::string_view currentSection) const {
    return PerConfiguration() ? currentSection : section;
  }
};

namespace option {
using enum OptionForm;
inline constexpr std::string_view Configuration = section::InForce;
inline constexpr std::string_view General = section::General;
// Per configuration.
inline constexpr OptionDecl Interleaved{"Interleaved", Configuration, Bool, 0, "chkInterleaved", "-i"};
inline constexpr OptionDecl NTSC{"NTSC", Configuration, Bool, 0, "chkNTSC", "-t", "-t"};
inline constexpr OptionDecl PAL{"PAL", Configuration, Bool, 0, "chkPAL", "-u", "-u"};
inline constexpr OptionDecl HiROM{"HiROM", Configuration, Bool, 0, "chkHiROM", "-h", "-h"};
inline constexpr OptionDecl LoROM{"LoROM", Configuration, Bool, 0, "chkLoROM", "-l", "-l"};
inline constexpr OptionDecl Scanlines{"Scanlines", Configuration, Bool, 0, "chkScanlines", "-n", "-n"};
inline constexpr OptionDecl Scale{"Scale", Configuration, Bool, 0, "chkScale", "-c"};
inline constexpr OptionDecl Interpolation{"Interpolation",    Configuration, Bool,      0,
                                          "chkInterpolation", "-y",          "antienab"};
inline constexpr OptionDecl VSync{"VSync", Configuration, Bool, 0, "chkVSync", "-w", "vsyncon"};
inline constexpr OptionDecl NewEngine{"NewEngine", Configuration, Bool, 0, "chkNewEngine", "", "newengen"};
inline constexpr OptionDecl SmallScreen{"SmallScreen", Configuration, Bool, 0, "chkSmallScreen", "-cc"};
inline constexpr OptionDecl FrameSkip{"FrameSkip", Configuration, Bool, 0, "chkFrameSkip", "-f", "frameskip"};
// 100 is beyond the slider's range on purpose: a missing key loads as the slider's maximum.
inline constexpr OptionDecl FrameSkipValue{"FrameSkip Value", Configuration, Integer,    100,
                                           "sldFrameSkip",    "-f",          "frameskip"};
inline constexpr OptionDecl CPUCycles{"CPUCycles", Configuration, Integer, 100, "sldCPU", "-p", "-p"};
inline constexpr OptionDecl Color0{"Color0", Configuration, Bool, 0, "chkColor0", "-0"};
inline constexpr OptionDecl Gamma{"Gamma", Configuration, Integer, 0, "sldGamma", "-g", "-g"};
inline constexpr OptionDecl DisableSPCHack{"DisableSPCHack", Configuration, Bool, 0, "chkDisableSPCHack", "-7"};
inline constexpr OptionDecl OffBy1LineFix{"OffBy1LineFix", Configuration, Bool, 0, "chkOffBy1LineFix", "-9"};
inline constexpr OptionDecl Videomode{"Videomode", Configuration, Integer, 3, "optVideoMode", "-v"};
// The native Linux build numbers other video modes than the DOS build, so its choice is stored
// apart; 2 is that build's own default, a 512x448 window.
// Shown by the video-mode group (its binding follows the build in use), so it names no control.
inline constexpr OptionDecl NativeVideomode{"NativeVideomode", Configuration, Integer, 2, "", "", "-v"};
// The Windows build's own numbering again; 2 is its default too, a 512x448 window.
inline constexpr OptionDecl WindowsVideomode{"WindowsVideomode", Configuration, Integer, 2, "", "", "-v"};
// For every game.
inline constexpr OptionDecl HighPriority{"High Priority", General, Bool, 0, "mnuHighPriority"};
inline constexpr OptionDecl DisableGUI{"DisableGUI", General, Bool, 1, "chkGUI", "-m", "guioff"};
inline constexpr OptionDecl ShellBat{"ShellBat", General, Bool, 0, "mnuBat"};
inline constexpr OptionDecl MemCopy{"MemCopy", General, Integer, 0, "optMemCopy", "-o"};
inline constexpr OptionDecl SampleRate{"SampleRate", General, Integer, 2, "cmbSampleRate", "-r", "-r"};
inline constexpr OptionDecl Sound{"Sound", General, Bool, 1, "chkSound", "-s", "-s"};
inline constexpr OptionDecl Buffer{"Buffer", General, Bool, 0, "chkBuffer", "-q"};
inline constexpr OptionDecl Stereo{"Stereo", General, Bool, 0, "chkStereo", "-z", "StereoSound"};
inline constexpr OptionDecl Force8bit{"Force8bit", General, Bool, 0, "chkBlaster", "-8"};
inline constexpr OptionDecl Enter{"Enter", General, Bool, 1, "chkEnter", "-e"};
inline constexpr OptionDecl Debugger{"Debugger", General, Bool, 0, "chkDebugger", "-d"};
inline constexpr OptionDecl DisableDSP{"DisableDSP", General, Bool, 0, "chkDisableDSP", "-dd", "-dd"};
inline constexpr OptionDecl ZSNESPath{"ZSNESPath", General, String, 0, "txtDirZSNES"};
inline constexpr OptionDecl MediaPath{"MediaPath", General, String, 0, "txtDirMedia"};
inline constexpr OptionDecl SavegamePath{"SavegamePath", General, String, 0, "txtDirSavegame"};
inline constexpr OptionDecl ExtraCommand{"ExtraCommand", General, String, 0, "txtExtraCmd"};
inline constexpr OptionDecl Volume{"Volume", General, Integer, 25, "sldVolume", "-k", "-k"};
inline constexpr OptionDecl DisableMouse{"DisableMouse", General, Bool, 0, "chkDisableMouse", "-j", "-j"};
// The program's own.
inline constexpr OptionDecl RunFirst{"Run first", General, Bool, 1};  // the first-run question is still to come
inline constexpr OptionDecl ROMDirectory{"ROMDirectory", General, String, 0};  // the folder listed at start
inline constexpr OptionDecl CacheSize{"CacheSize", General, Integer, 8};       // ROMs kept in the zip cache
inline constexpr OptionDecl FormTop{"FormTop", section::Positions, Integer, 0};
inline constexpr OptionDecl FormLeft{"FormLeft", section::Positions, Integer, 0};
inline constexpr OptionDecl Maximized{"Maximized", section::Positions, Bool, 0};
inline constexpr OptionDecl FormWidth{"FormWidth", section::Size, Integer, 0};
inline constexpr OptionDecl FormHeight{"FormHeight", section::Size, Integer, 0};
}  // namespace option

// The keys of section::Configs are games' captions rather than declared names: a caption flagged 1
// has a configuration of its own, the section named by the caption.

// Every option a configuration load applies, in the order it sets their controls.
std::span<const OptionDecl* const> LoadOrder();

// The stored value of an option for a load: Bool and Integer as a number (a Bool as 0 or 1), the
// key's default when it is missing or not a number.
int ReadOptionNumber(SettingsFile& settings, const OptionDecl& option, std::string_view currentSection);
std::string ReadOptionText(SettingsFile& settings, const OptionDecl& option);

}  // namespace kivo::app
