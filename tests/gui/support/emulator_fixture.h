// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include "gui/support/form_fixture.h"
#include "support/fake_zsnes_log.h"

// The fake emulator is a program of the system it runs on. As ZSNES.EXE it is on Linux the DOS build
// started directly (the game first), on Windows a Windows program and so the Windows build (its
// switches first, the game last); the system's own build is also found by this name.
#ifdef _WIN32
inline constexpr const char* kOwnBuild = "zsnesw.exe";
#else
inline constexpr const char* kOwnBuild = "zsnes";
#endif

// What ZSNES.EXE is given for the game with the default options, and with scanlines.
inline std::vector<std::string> DefaultZsnesExeArgs(const std::string& rom, bool scanlines) {
#ifdef _WIN32
  return {"-g", "0", "-k", "75", "-n", scanlines ? "1" : "0", "-p", "100", "-r", "2", "-s", "-v", "2", rom};
#else
  std::vector<std::string> args = {rom, "-a", "-e", "-g", "0", "-k", "75", "-m"};
  if (scanlines) args.push_back("-n");
  args.insert(args.end(), {"-p", "100", "-r", "2", "-s", "-v", "3"});
  return args;
#endif
}

// The window's fixture plus an emulator folder: the fake emulator linked as ZSNES.EXE, and
// "ZSNESPath" naming the folder in kivo.ini.
struct EmulatorFixture : FormFixture {
  explicit EmulatorFixture(const std::string& moreIni = "", bool installEmulator = true) {
    if (installEmulator) InstallEmulator();
    SetIni("[General]\nRun first=0\nROMDirectory=" + romDir.Path() + "\nZSNESPath=" + emu.Path() + "\n" + moreIni);
  }

  // The fake emulator as the DOS build's "ZSNES.EXE" or the native build's "zsnes".
  void InstallEmulator(const std::string& program = "ZSNES.EXE") {
    if (!InstallFakeZsnes(emu.Path(), program)) qWarning("cannot link the fake emulator");
  }
  // The emulators started so far, once there are `count` of them; the started emulator runs on its
  // own, and a loaded machine may be slow to start it.
  std::vector<FakeStart> Starts(size_t count) const {
    if (!QTest::qWaitFor([&] { return ReadFakeLog(emu.Path()).starts.size() >= count; }, 20000))
      qWarning("fewer emulators started than %zu", count);
    return ReadFakeLog(emu.Path()).starts;
  }

  TempDir emu;
};
