// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/options.h"

namespace kivo::app {
class SettingsFile;
}

namespace kivo::launch {

// Users run one of three builds of ZSNES, and they differ in everything a launcher touches: the DOS
// build (ZSNES.EXE) takes one command line with the ROM first and reads ZSNES.CFG beside it; the
// native Linux build (zsnes) takes an argument list with the ROM last, other switches, and keeps its
// settings in zsnesl.cfg under the user's home; the Windows build (zsnesw.exe, or zsnes.exe of the
// later sources) takes the Linux build's switches and keys, numbers its own video modes, and keeps
// zsnesw.cfg in the user's Saved Games folder. The folder the user points KIVO at decides which.
enum class EmulatorBuild { Dos, Native, Windows };

struct EmulatorProfile {
  EmulatorBuild build = EmulatorBuild::Dos;
  // The native or Windows build's program, a full path (empty for the DOS build, whose command line
  // names it).
  std::string program;
  // The DOS build's ZSNES.EXE is a DOS program, which Linux and 64-bit Windows run only inside
  // DOSBox; on Linux an ELF program or a script under that name (a link to the native build, a
  // wrapper) is started as it is.
  bool inDosBox = false;
};

// True for a file Linux cannot run itself: neither an ELF program nor a script starting with "#!"
// (a DOS "MZ" executable, or a .COM image, which DOS loads whatever its name).
bool IsDosProgram(const std::string& path);

// True for a Windows program: an "MZ" executable whose header points at a "PE" header. A DOS
// program has the same "MZ" start and no such header; on a Windows file system the two builds'
// ZSNES.EXE and zsnes.exe are one name.
bool IsWindowsProgram(const std::string& path);

// On Linux: "ZSNES.EXE" in the folder gives the DOS build; otherwise "zsnes" in the folder, or, when
// the folder field is empty, "zsnes" on PATH gives the native build. On Windows: a ZSNES.EXE that is
// a Windows program, else "zsnesw.exe", gives the Windows build (looked for on PATH when the field
// is empty); a ZSNES.EXE that is a DOS program gives the DOS build in DOSBox. A folder holding
// neither stays with the DOS build, whose launch is the one the settings describe (and fails, saying
// so, when nothing is there).
EmulatorProfile FindEmulatorProfile(std::string_view zsnesPath);
// The same for the folder "ZSNESPath" names now.
EmulatorProfile FindEmulatorProfile(app::SettingsFile& settings);

// What a build offers the option panel.
struct PanelProfile {
  EmulatorBuild build;
  // The video modes the group shows; an item's index is the number the build is given.
  std::span<const char* const> videoModes;
  // Where the chosen video mode is stored: the builds number their modes differently.
  const app::OptionDecl* videoMode;
  // The highest mode number the build takes (the panel may list fewer): a number stored by hand
  // up to it is passed as it is, one beyond gives the option's default.
  int videoModeMaximum;
  // The sample rates the box lists; an item's index is the number the build is given.
  std::span<const char* const> sampleRates;
  // The highest gamma the build takes, as its table holds it.
  int GammaMaximum() const;
  // Whether the build has the option, as its table says: the DOS build has them all (what it has no
  // switch for, "New engine", is kept for the user's own reference); another build lacks an option
  // the DOS build is given and it is not. The controls of options it does not have are disabled,
  // and their values never passed.
  bool Has(const app::OptionDecl& option) const;
};

const PanelProfile& PanelProfileOf(EmulatorBuild build);

// The tooltip of a control whose option the emulator in use does not have.
inline constexpr const char* kNotInThisBuild = "Not available in this build of ZSNES";

}  // namespace kivo::launch
