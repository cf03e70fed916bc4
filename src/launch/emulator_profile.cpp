// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/emulator_profile.h"

#include <algorithm>

#include "app/settings_file.h"
#include "common/path.h"
#include "platform/files.h"
#include "platform/process.h"

namespace kivo::launch {

namespace {

constexpr const char* kDosVideoModes[] = {"320x240x256",       "256x256x256",       "320x240x256 Vesa2",
                                          "320x240x65K Vesa2", "640x480x256 Vesa2", "640x480x65K Vesa2",
                                          "512x384x256 Vesa2", "512x384x65K Vesa2"};
// The modes of the native build's software renderer, which every such build has (builds with
// OpenGL number more modes after these).
constexpr const char* kNativeVideoModes[] = {"256x224 window", "256x224 full screen", "512x448 window",
                                             "512x448 full screen", "640x480 full screen"};
constexpr const char* kDosSampleRates[] = {"8000Hz", "11025Hz", "22050Hz", "44100Hz", "16000Hz", "32000Hz"};
constexpr const char* kNativeSampleRates[] = {"8000Hz",  "11025Hz", "22050Hz", "44100Hz",
                                              "16000Hz", "32000Hz", "48000Hz"};

const PanelProfile kDosPanel{EmulatorBuild::Dos, kDosVideoModes, &app::option::Videomode, kDosSampleRates, 5};
const PanelProfile kNativePanel{EmulatorBuild::Native, kNativeVideoModes, &app::option::NativeVideomode,
                                kNativeSampleRates, 15};

}  // namespace

bool IsDosProgram(const std::string& path) {
  const std::string head = platform::ReadFileStart(path, 4);
  return !head.starts_with(
             "\x7F"
             "ELF") &&
         !head.starts_with("#!");
}

EmulatorProfile FindEmulatorProfile(std::string_view zsnesPath) {
  const std::string dosProgram = common::AddBackslash(zsnesPath) + "ZSNES.EXE";
  if (platform::FileExists(dosProgram)) return {EmulatorBuild::Dos, {}, IsDosProgram(dosProgram)};
  if (zsnesPath.empty()) {
    std::string program = platform::FindProgramOnPath("zsnes");
    if (!program.empty()) return {EmulatorBuild::Native, program};
    return {};
  }
  std::string program = common::AddBackslash(zsnesPath) + "zsnes";
  if (platform::FileExists(program)) return {EmulatorBuild::Native, program};
  return {};
}

EmulatorProfile FindEmulatorProfile(app::SettingsFile& settings) {
  return FindEmulatorProfile(settings.ReadString(app::option::ZSNESPath, ""));
}

bool PanelProfile::Has(const app::OptionDecl& option) const {
  // An option the DOS build has and this build has nothing for. The DOS build lacks none: what it
  // has no switch for ("New engine") is kept for the user's own reference.
  return build == EmulatorBuild::Dos || option.dosSwitch.empty() || !option.nativeName.empty();
}

const PanelProfile& PanelProfileOf(EmulatorBuild build) {
  return build == EmulatorBuild::Native ? kNativePanel : kDosPanel;
}

}  // namespace kivo::launch
