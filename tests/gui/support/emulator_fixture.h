// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "gui/support/form_fixture.h"
#include "platform/files.h"
#include "support/fake_zsnes_log.h"

// The window's fixture plus an emulator folder: the fake emulator linked as ZSNES.EXE, a ZSNES.CFG,
// and "ZSNESPath" naming the folder in kivo.ini.
struct EmulatorFixture : FormFixture {
  static constexpr const char* kCfg = "Sound = 1\r\nGameDirectory = C:\\old\r\n";
  // The started emulator runs on its own; a loaded machine may be slow to start it.
  static constexpr int kStartTimeoutMs = 20000;

  explicit EmulatorFixture(const std::string& moreIni = "", bool installEmulator = true) {
    if (installEmulator) InstallEmulator();
    WriteTestFile(Emu("ZSNES.CFG"), kCfg);
    SetIni("[General]\nRun first=0\nROMDirectory=" + romDir.Path() + "\nZSNESPath=" + emu.Path() + "\n" + moreIni);
  }
  ~EmulatorFixture() {
    kivo::platform::SetWriteFaultForTesting({});
    kivo::platform::DeleteFile(Emu("fake_zsnes.stay"));
  }

  // The fake emulator as the DOS build's "ZSNES.EXE" or the native build's "zsnes".
  void InstallEmulator(const std::string& program = "ZSNES.EXE") {
    if (!InstallFakeZsnes(emu.Path(), program)) qWarning("cannot link the fake emulator");
  }
  std::string Emu(const std::string& name) const { return emu / name; }
  std::string Rom(const std::string& name) const { return romDir / name; }
  FakeLog Log() const { return ReadFakeLog(emu.Path()); }
  size_t CountStarts() const { return Log().starts.size(); }

  TempDir emu;
};
