// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The Windows build of ZSNES: how it is told apart, where its zsnesw.cfg is, and what a launch gives
// it. The build itself is a 32-bit Windows program these machines cannot run; what it is given is
// checked here, and against the fake emulator under its name where the tests run on Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "common/path.h"
#include "launch/emulator_profile.h"
#include "launch/windows_launch.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>  // the system's own answer, to check the launch's against

#include "support/fake_zsnes_log.h"
#include "support/tool_run.h"
#endif

using namespace kivo::launch;
using kivo::common::AddBackslash;

namespace {

using Words = std::vector<std::string>;

// An "MZ" header whose offset field at 0x3C holds `offset`, padded to `size` bytes, with `at` written
// at the offset when it fits.
std::string Executable(uint32_t offset, size_t size, const std::string& at) {
  std::string bytes(size, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<char>(offset >> (8 * i) & 0xFF);
  if (offset + at.size() <= size) bytes.replace(offset, at.size(), at);
  return bytes;
}

TEST(WindowsProgramTest, OnlyAnMzHeaderPointingAtAPeHeaderIsAWindowsProgram) {
  TempDir dir;
  const std::string pe("PE\0\0", 4);
  struct Case {
    const char* what;
    std::string bytes;
    bool windows;
  };
  const Case cases[] = {
      {"a Windows program", Executable(0x80, 0x200, pe), true},
      {"a DOS program, no PE header where the field points", Executable(0x80, 0x200, "NE"), false},
      {"a DOS program whose field is zero", Executable(0, 0x200, ""), false},
      {"the field points past the file's end", Executable(0x1000, 0x200, pe), false},
      {"the field points into the header itself", Executable(0x3C, 0x200, ""), false},
      {"an absurd offset", Executable(0xFFFFFFF0, 0x200, ""), false},
      {"a file shorter than the field", "MZ\x90", false},
      {"a PE header without MZ", "ELF" + Executable(0x80, 0x200, pe).substr(3), false},
      {"an empty file", "", false},
  };
  for (const Case& c : cases) {
    WriteTestFile(dir / "ZSNES.EXE", c.bytes);
    EXPECT_EQ(IsWindowsProgram(dir / "ZSNES.EXE"), c.windows) << c.what;
  }
  EXPECT_FALSE(IsWindowsProgram(dir / "missing.exe"));
}

// As the build finds its folder: beside the program only when zcfgloc.cfg there says so (its last
// setting line counts, comments do not), else the Saved Games folder, else the roaming AppData.
TEST(WindowsConfigFolderTest, TheBuildsOwnLookupIsFollowed) {
  TempDir program, saved, appData;
  const std::string inSaved = AddBackslash(saved.Path()) + "ZSNES";
  const std::string inAppData = AddBackslash(appData.Path()) + "ZSNES";
  struct Case {
    const char* zcfgloc;  // nullptr: no such file
    std::string expected;
  };
  const Case cases[] = {
      {nullptr, inSaved},
      {"zsnesw_config_location=1\r\n", program.Path()},
      {"@ comments\r\nzsnesw_config_location = 1 ; here\r\n", program.Path()},
      {"zsnesw_config_location=0\r\n", inSaved},
      {"zsnesw_config_location=-1\r\n", inSaved},
      {"zsnesw_config_location=1\r\nzsnesw_config_location=0\r\n", inSaved},
      {";zsnesw_config_location=1\r\n", inSaved},
  };
  for (const Case& c : cases) {
    if (c.zcfgloc != nullptr) WriteTestFile(program / "zcfgloc.cfg", c.zcfgloc);
    EXPECT_EQ(WindowsConfigFolder(program.Path(), saved.Path(), appData.Path()), c.expected)
        << (c.zcfgloc ? c.zcfgloc : "no zcfgloc.cfg");
  }
  WriteTestFile(program / "zcfgloc.cfg", "zsnesw_config_location=0\n");
  EXPECT_EQ(WindowsConfigFolder(program.Path(), "", appData.Path()), inAppData);
  EXPECT_EQ(WindowsConfigFolder(program.Path(), "", ""), program.Path());
}

// A stand-in for the Windows build's folder, its zsnesw.cfg kept beside it (zcfgloc.cfg says so) as
// the build wrote it: CR LF lines, its comments, keys of its own and the hash line it checks.
class WindowsLaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeTestDir(emu);
    WriteTestFile(program, "MZ");
    WriteTestFile(emu + "/zcfgloc.cfg", "zsnesw_config_location=1\r\n");
    WriteTestFile(emu + "/zsnesw.cfg", kWrittenByTheBuild);
    WriteTestFile(rom, "game");
  }

  EmulatorStart Launch(const std::string& general, const std::string& configuration, const std::string& romFile) {
    WriteTestFile(dir / "kivo.ini", "[General]\nZSNESPath=" + emu + "\n" + general + "[Default]\n" + configuration);
    kivo::app::SettingsFile settings(dir / "kivo.ini");
    const RunRomRequest request{"Default",
                                roms.Path(),
                                kivo::common::ExtractFileName(romFile),
                                "set KIVO=1",
                                general.find("ShellBat=1") != std::string::npos,
                                dir / "shortnames",
                                {}};
    return PrepareWindowsLaunch(settings, request, program, romFile);
  }

  static constexpr const char* kWrittenByTheBuild =
      "; ZSNES Configuration File\r\n"
      "\r\n"
      "@ Video Mode [0..42]\r\n"
      "cvidmode=9\r\n"
      "vsyncon=1\r\n"
      "TripleBufferWin=1\r\n"
      "KitchenSync=0\r\n"
      "frameskip=3\r\n"
      "guioff=0\r\n"
      "ROMPath=\"C:\\\\Old\\\\\"\r\n"
      "\r\n"
      ";Do not modify the following, for internal use only.\r\n"
      "PSR_HASH=1234567\r\n";

  TempDir dir, roms;
  const std::string emu = dir / "emu";
  const std::string program = emu + "/zsnesw.exe";
  const std::string rom = roms / "Zelda no Densetsu.sfc";
};

// Switches first, in the Linux build's order and ranges, the video mode as this build numbers its 43
// modes (one beyond them, or the Linux build's choice, gives its own default), the game last; the
// start runs in the emulator's folder.
TEST_F(WindowsLaunchTest, SwitchesFirstTheGameLastWithThisBuildsVideoModes) {
  const Words defaults{program, "-g", "0", "-k", "75", "-n", "0", "-p", "100", "-r", "2", "-s", "-v", "2", rom};
  EXPECT_EQ(Launch("", "", rom).argv, defaults);
  struct Case {
    std::string configuration;
    std::string videoMode;
  };
  const Case cases[] = {{"WindowsVideomode=7\n", "7"},
                        {"WindowsVideomode=42\n", "42"},
                        {"WindowsVideomode=43\n", "2"},
                        {"WindowsVideomode=-1\n", "2"},
                        {"NativeVideomode=4\nVideomode=5\n", "2"}};
  for (const Case& c : cases) {
    const Words argv = Launch("", c.configuration, rom).argv;
    ASSERT_EQ(argv.size(), defaults.size()) << c.configuration;
    EXPECT_EQ(argv[argv.size() - 2], c.videoMode) << c.configuration;
  }
  const EmulatorStart start =
      Launch("High Priority=1\nSound=0\nDisableDSP=1\n", "Gamma=99\nCPUCycles=10\nHiROM=1\nPAL=1\n", rom);
  EXPECT_EQ(start.argv, (Words{program, "-dd", "-g", "15", "-h", "-k", "75", "-n", "0", "-p", "50", "-r", "2", "-ds",
                               "-u", "-v", "2", rom}));
  EXPECT_TRUE(start.highPriority);
  EXPECT_EQ(start.workingFolder, emu);
}

// zsnesw.cfg is edited in place: the keys KIVO sets get their values, every other line (the build's
// own keys, its comments, its hash) stays byte for byte, CR LF included.
TEST_F(WindowsLaunchTest, ZsneswCfgKeepsEveryLineKivoDoesNotSet) {
  Launch("", "FrameSkip=1\nFrameSkip Value=4\nVSync=0\n", rom);
  const std::string folder = AddBackslash(roms.Path());
  std::string escaped;
  for (char c : folder) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  EXPECT_EQ(ReadTestFile(emu + "/zsnesw.cfg"),
            "; ZSNES Configuration File\r\n"
            "\r\n"
            "@ Video Mode [0..42]\r\n"
            "cvidmode=9\r\n"
            "vsyncon=0\r\n"
            "TripleBufferWin=1\r\n"
            "KitchenSync=0\r\n"
            "frameskip=5\r\n"
            "guioff=1\r\n"
            "ROMPath=\"" +
                escaped +
                "\"\r\n"
                "\r\n"
                ";Do not modify the following, for internal use only.\r\n"
                "PSR_HASH=1234567\r\n"
                "antienab=0\nnewengen=0\nStereoSound=0\nSRAMPath=\"\"\nSStatePath=\"\"\nSnapPath=\"\"\n");
}

// In batch mode the command interpreter runs zkivo.bat's lines: the DOS command, then the emulator's
// line with the blanks of a path in quotes. A game whose path the interpreter would change ('%')
// goes by its short form there, and only there.
TEST_F(WindowsLaunchTest, BatchModeRunsTheDosCommandThenTheEmulatorsLine) {
  const EmulatorStart start = Launch("ShellBat=1\n", "", rom);
  EXPECT_EQ(ReadTestFile(emu + "/zkivo.bat"),
            "set KIVO=1\r@" + program + " -g 0 -k 75 -n 0 -p 100 -r 2 -s -v 2 \"" + rom + "\"");
  EXPECT_TRUE(std::ranges::any_of(start.argv, [](const std::string& word) {
    return word.find("set KIVO=1") != std::string::npos;
  })) << "the shell runs the batch file's lines";

  const std::string percent = roms / "100%.sfc";
  WriteTestFile(percent, "game");
  EXPECT_EQ(Launch("", "", percent).argv.back(), percent);
  const std::string alias = Launch("ShellBat=1\n", "", percent).argv.back();
  EXPECT_EQ(alias.find('%'), std::string::npos) << alias;
  EXPECT_EQ(ReadTestFile(ReadTestFile(emu + "/zkivo.bat").substr(ReadTestFile(emu + "/zkivo.bat").rfind(' ') + 1)),
            "game");
}

#ifdef _WIN32

// The 8.3 path Windows itself gives for a file.
std::string SystemShortPath(const std::string& path) {
  std::wstring wide(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0)), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wchar_t buffer[MAX_PATH * 4] = {};
  const DWORD n = ::GetShortPathNameW(wide.c_str(), buffer, MAX_PATH * 4);
  std::string narrow(
      static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), nullptr, 0, nullptr, nullptr)),
      '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), narrow.data(), static_cast<int>(narrow.size()),
                        nullptr, nullptr);
  return narrow;
}

// On Windows the folder's programs decide: a ZSNES.EXE that is a Windows program, or zsnesw.exe,
// is the Windows build, found on PATH too; a ZSNES.EXE that is a DOS program goes into DOSBox.
TEST(WindowsBuildOnWindowsTest, TheFolderDecidesTheBuild) {
  TempDir windows, pe, dos, both, none;
  ASSERT_TRUE(InstallFakeZsnes(windows.Path(), "zsnesw.exe") && InstallFakeZsnes(pe.Path(), "ZSNES.EXE") &&
              InstallFakeZsnes(both.Path(), "zsnesw.exe"));
  WriteTestFile(dos / "ZSNES.EXE", Executable(0, 0x200, ""));
  WriteTestFile(both / "ZSNES.EXE", Executable(0, 0x200, ""));
  struct Case {
    std::string folder;
    EmulatorBuild build;
    std::string program;
    bool inDosBox;
  };
  const Case cases[] = {{windows.Path(), EmulatorBuild::Windows, windows / "zsnesw.exe", false},
                        {pe.Path(), EmulatorBuild::Windows, pe / "ZSNES.EXE", false},
                        {dos.Path(), EmulatorBuild::Dos, "", true},
                        {both.Path(), EmulatorBuild::Windows, both / "zsnesw.exe", false},
                        {none.Path(), EmulatorBuild::Dos, "", false}};
  for (const Case& c : cases) {
    const EmulatorProfile profile = FindEmulatorProfile(c.folder);
    EXPECT_EQ(profile.build, c.build) << c.folder;
    EXPECT_EQ(kivo::common::ExtractFileName(profile.program), kivo::common::ExtractFileName(c.program)) << c.folder;
    EXPECT_EQ(profile.inDosBox, c.inDosBox) << c.folder;
  }
  const ScopedEnv path("PATH", windows.Path());
  EXPECT_EQ(FindEmulatorProfile("").build, EmulatorBuild::Windows);
}

// The stand-in under the Windows build's name is started as the window starts it: high priority in
// its folder, switches first, and a game whose name the ANSI code page lacks by the 8.3 path
// Windows gives; kivo-tool cmdline shows that same line.
TEST_F(WindowsLaunchTest, TheStandInIsStartedWithAJapaneseNamedGameByItsShortPath) {
  std::filesystem::remove(program);
  ASSERT_TRUE(InstallFakeZsnes(emu, "zsnesw.exe"));
  const std::string japanese = roms / "\xE3\x82\xBC\xE3\x83\xAB\xE3\x83\x80 Densetsu.sfc";  // "ゼルダ"
  WriteTestFile(japanese, "game");
  const std::string shortPath = SystemShortPath(japanese);
  ASSERT_FALSE(shortPath.empty());
  ASSERT_NE(shortPath, japanese) << "the volume keeps 8.3 names";
  WriteTestFile(dir / "kivo.ini", "[General]\nZSNESPath=" + emu + "\nHigh Priority=1\n");
  kivo::app::SettingsFile settings(dir / "kivo.ini");
  const RunRomRequest request{"Default",          roms.Path(), kivo::common::ExtractFileName(japanese), "", false,
                              dir / "shortnames", {}};
  EXPECT_EQ(RunRom(settings, request), "");
  const std::vector<FakeStart> starts = WaitForStarts(emu, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args,
            (Words{"-g", "0", "-k", "75", "-n", "0", "-p", "100", "-r", "2", "-s", "-v", "2", shortPath}));
  EXPECT_EQ(starts[0].priorityClass, static_cast<long>(HIGH_PRIORITY_CLASS));
  EXPECT_NE(ReadTestFile(emu + "/zsnesw.cfg").find("\nguioff=1\r\n"), std::string::npos)
      << "the configuration beside it";

  // kivo-tool beside this kivo.ini reads it, as a portable KIVO does.
  std::filesystem::copy_file(KIVO_TOOL, dir / "kivo-tool.exe");
  const ToolRun run = RunTool(dir, dir / "kivo-tool.exe", "cmdline '" + japanese + "'", dir.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.ends_with(" -v 2 " + shortPath + "\n")) << run.out;
}

#endif

}  // namespace
