// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/emulator_profile.h"

#include <algorithm>
#include <cstdint>

#include "app/settings_file.h"
#include "common/path.h"
#include "launch/option_table.h"
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
// The Windows build numbers 43 modes; the panel shows the first eight, the windows and full
// screens up to 640x480, marked as the build's own list marks them ("D": filters allowed, "R": kept
// in ratio, "S": stretched). A larger one is set in kivo.ini by hand and launched as it is.
constexpr const char* kWindowsVideoModes[] = {"256x224 window",    "256x224 full",     "512x448 window",
                                              "512x448 DR window", "640x480 S window", "640x480 DS window",
                                              "640x480 DR full",   "640x480 DS full"};
constexpr const char* kDosSampleRates[] = {"8000Hz", "11025Hz", "22050Hz", "44100Hz", "16000Hz", "32000Hz"};
constexpr const char* kNativeSampleRates[] = {"8000Hz",  "11025Hz", "22050Hz", "44100Hz",
                                              "16000Hz", "32000Hz", "48000Hz"};

const PanelProfile kDosPanel{EmulatorBuild::Dos, kDosVideoModes, &app::option::Videomode, 7, kDosSampleRates};
const PanelProfile kNativePanel{EmulatorBuild::Native, kNativeVideoModes, &app::option::NativeVideomode, 4,
                                kNativeSampleRates};
// The Windows build's switches and ranges are the Linux build's.
const PanelProfile kWindowsPanel{EmulatorBuild::Windows, kWindowsVideoModes, &app::option::WindowsVideomode, 42,
                                 kNativeSampleRates};

// Where a Windows program's header says its "PE" header is.
constexpr size_t kPeOffsetField = 0x3C;
// Beyond this the offset names no header a loader would read.
constexpr uint32_t kPeOffsetMaximum = 1 << 20;

[[maybe_unused]] EmulatorProfile FindLinuxProfile(std::string_view zsnesPath) {
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

// A program that runs by itself comes before the DOS build, which needs DOSBox besides.
[[maybe_unused]] EmulatorProfile FindWindowsProfile(std::string_view zsnesPath) {
  std::string program =
      zsnesPath.empty() ? platform::FindProgramOnPath("zsnes.exe") : common::AddBackslash(zsnesPath) + "ZSNES.EXE";
  if (platform::FileExists(program) && IsWindowsProgram(program)) return {EmulatorBuild::Windows, program};
  std::string windows =
      zsnesPath.empty() ? platform::FindProgramOnPath("zsnesw.exe") : common::AddBackslash(zsnesPath) + "zsnesw.exe";
  if (platform::FileExists(windows)) return {EmulatorBuild::Windows, windows};
  if (!zsnesPath.empty() && platform::FileExists(program)) return {EmulatorBuild::Dos, {}, true};
  return {};
}

}  // namespace

bool IsDosProgram(const std::string& path) {
  const std::string head = platform::ReadFileStart(path, 4);
  return !head.starts_with(
             "\x7F"
             "ELF") &&
         !head.starts_with("#!");
}

bool IsWindowsProgram(const std::string& path) {
  const std::string head = platform::ReadFileStart(path, kPeOffsetField + 4);
  if (head.size() < kPeOffsetField + 4 || !head.starts_with("MZ")) return false;
  uint32_t offset = 0;
  for (int i = 3; i >= 0; --i) offset = offset << 8 | static_cast<unsigned char>(head[kPeOffsetField + i]);
  if (offset < kPeOffsetField + 4 || offset > kPeOffsetMaximum) return false;
  const std::string header = platform::ReadFileStart(path, offset + 4);
  return header.size() == offset + 4 && header.ends_with(std::string_view("PE\0\0", 4));
}

EmulatorProfile FindEmulatorProfile(std::string_view zsnesPath) {
#ifdef _WIN32
  return FindWindowsProfile(zsnesPath);
#else
  return FindLinuxProfile(zsnesPath);
#endif
}

EmulatorProfile FindEmulatorProfile(app::SettingsFile& settings) {
  return FindEmulatorProfile(settings.ReadString(app::option::ZSNESPath));
}

bool PanelProfile::Has(const app::OptionDecl& option) const {
  if (build == EmulatorBuild::Dos) return true;
  auto gives = [&option](const EmulatorOption& entry) { return entry.Gives(option); };
  if (std::ranges::any_of(NativeSwitchOptions(), gives) || std::ranges::any_of(NativeCfgOptions(), gives)) return true;
  return !std::ranges::any_of(DosOptions(), gives);
}

int PanelProfile::GammaMaximum() const {
  for (const EmulatorOption& entry : build == EmulatorBuild::Dos ? DosOptions() : NativeSwitchOptions()) {
    if (entry.option == &app::option::Gamma) return entry.high;
  }
  return app::option::Gamma.maximum;
}

const PanelProfile& PanelProfileOf(EmulatorBuild build) {
  switch (build) {
    case EmulatorBuild::Native:
      return kNativePanel;
    case EmulatorBuild::Windows:
      return kWindowsPanel;
    case EmulatorBuild::Dos:
      break;
  }
  return kDosPanel;
}

}  // namespace kivo::launch
