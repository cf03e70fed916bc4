// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/emulator_folder.h"

#include "common/path.h"
#include "launch/emulator_profile.h"
#include "platform/files.h"

namespace kivo::launch {

namespace {

// The build that runs without DOSBox, as a user looks for it.
#ifdef _WIN32
constexpr const char* kOwnProgram = "zsnesw.exe";
#else
constexpr const char* kOwnProgram = "zsnes";
#endif

}  // namespace

std::string MissingEmulatorReason(const std::string& zsnesPath) {
  // A folder holding neither build is given the DOS build's profile, whose launch then fails.
  if (FindEmulatorProfile(zsnesPath).build != EmulatorBuild::Dos) return {};
  if (platform::FileExists(common::AddBackslash(zsnesPath) + "ZSNES.EXE")) return {};
  if (zsnesPath.empty())
    return "No ZSNES folder is set (Setup tab), and " + std::string(kOwnProgram) + " is not on PATH";
  return "No ZSNES in " + zsnesPath + ": neither " + kOwnProgram + " nor ZSNES.EXE is there";
}

}  // namespace kivo::launch
