// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What a launch asks of the start that kivo-tool does not show: the priority and the working folder.
// The command lines and the files written first are the cases in tests/data/cmdline/.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "launch/run_rom.h"
#include "support/fake_zsnes_log.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

using namespace kivo::launch;

namespace {

// "High priority" is asked for whichever way the emulator starts: the DOS build directly or through
// its batch file, and the native build. Each starts in the emulator's folder.
TEST(LaunchStartTest, HighPriorityIsAskedForEveryWayOfStarting) {
  TempDir dir, home, native;
  ScopedEnv setHome("HOME", home.Path()), xdg("XDG_CONFIG_HOME", std::nullopt);
  const std::string emu = dir / "emu";
  ASSERT_TRUE(InstallFakeZsnes(emu) && InstallFakeZsnes(native.Path(), "zsnes"));
  WriteTestFile(dir / "MARIO.SMC", "mario");
  const std::pair<std::string, std::string> ways[] = {{emu, ""}, {emu, "ShellBat=1\n"}, {native.Path(), ""}};
  for (const auto& [folder, batch] : ways) {
    for (bool high : {false, true}) {
      WriteTestFile(dir / "kivo.ini",
                    "[General]\nZSNESPath=" + folder + "\n" + batch + "High Priority=" + (high ? "1" : "0") + "\n");
      kivo::app::SettingsFile settings(dir / "kivo.ini");
      const RunRomRequest request{"Default", dir.Path(), "MARIO.SMC", "", false, dir / "shortnames", {}};
      const EmulatorStart start = PrepareLaunch(settings, request);
      EXPECT_EQ(start.highPriority, high) << folder << " " << batch;
      EXPECT_EQ(start.workingFolder, folder) << batch;
    }
  }
}

// The DOS command goes into the batch file only while its field is enabled.
TEST(ZsnesBatchFileTest, TheDosCommandOnlyWhileTheFieldIsEnabled) {
  EXPECT_EQ(ZsnesBatchFile("/z/ZSNES.EXE -a", "LH MOUSE.COM", false), "@/z/ZSNES.EXE -a");
}

}  // namespace
