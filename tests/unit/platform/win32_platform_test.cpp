// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The Windows side of the platform layer, through the headers the core uses: 8.3 names and
// aliases, the read-only attribute, the cache's lock, the atomic replace, a start at high priority,
// and the drive letters. Built for Windows alone; run under Wine, which gives real 8.3 names.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "platform/dirs.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/short_path.h"
#include "support/fake_zsnes_log.h"
#include "support/temp_dir.h"

using namespace kivo::platform;

namespace {

std::wstring Wide(const std::string& utf8) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

// The path as the system gives paths back: every separator a backslash.
std::string Backslashed(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// The names in a folder as the system lists them, "." and ".." left out.
std::vector<std::wstring> Names(const std::string& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((Wide(folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// A DOS short name: up to eight characters, a dot and up to three, of the ones DOS names keep.
const std::regex kShortName("[A-Z0-9_~!#$%&'()@^{}-]{1,8}(\\.[A-Z0-9_~!#$%&'()@^{}-]{1,3})?");

// "Super Wörld (E).smc": blanks and a letter outside ASCII, which the command line does not pass.
const std::string kAwkwardName = "Super W\xC3\xB6rld (E).smc";

TEST(Win32ShortPath, AnAwkwardNameGetsTheSystemsShortName) {
  TempDir dir;
  const std::string rom = dir / kAwkwardName;
  WriteTestFile(rom, "the game's bytes");
  ASSERT_FALSE(IsCommandLineSafe(rom));
  const std::string shortPath = ShortPathName(rom, dir / "shortnames");
  ASSERT_FALSE(shortPath.empty());
  EXPECT_TRUE(IsCommandLineSafe(shortPath)) << shortPath;
  const std::string name = shortPath.substr(shortPath.find_last_of("\\/") + 1);
  EXPECT_TRUE(std::regex_match(name, kShortName)) << name;
  EXPECT_NE(name, kAwkwardName);
  // The system's own short name of the same file, no alias: the alias folder stays unmade.
  EXPECT_EQ(ReadTestFile(shortPath), "the game's bytes");
  EXPECT_FALSE(DirectoryExists(dir / "shortnames"));
  // A safe path is given back as it is.
  WriteTestFile(dir / "MARIO.SMC", "mario");
  EXPECT_EQ(ShortPathName(dir / "MARIO.SMC", dir / "shortnames"), dir / "MARIO.SMC");
  EXPECT_EQ(ShortPathName(dir / "missing game.smc", dir / "shortnames"), "");
}

// Where a volume keeps no 8.3 names, a name gets an alias in the alias folder: a second name of the
// file (or a copy), found again for the same file, and a new one for another file.
TEST(Win32ShortPath, AnAliasServesTheFileUnderAShortName) {
  TempDir dir;
  const std::string rom = dir / kAwkwardName;
  const std::string other = dir / "Super Wario (E).smc";
  WriteTestFile(rom, "the game's bytes");
  WriteTestFile(other, "another game");
  const std::string aliases = dir / "shortnames";
  const std::string alias = ShortAlias(rom, aliases);
  EXPECT_EQ(Backslashed(alias), Backslashed(aliases + "/SUPERW~1.SMC"));
  EXPECT_EQ(ReadTestFile(alias), "the game's bytes");
  EXPECT_EQ(ShortAlias(rom, aliases), alias) << "the same file, the same alias";
  const std::string second = ShortAlias(other, aliases);
  EXPECT_EQ(Backslashed(second), Backslashed(aliases + "/SUPERW~2.SMC"));
  EXPECT_EQ(ReadTestFile(second), "another game");
  EXPECT_EQ(Names(aliases), (std::vector<std::wstring>{L"SUPERW~1.SMC", L"SUPERW~2.SMC"}));
  EXPECT_EQ(ShortAlias(dir / "missing.smc", aliases), "");
}

TEST(Win32Files, TheReadOnlyAttributeRefusesAWrite) {
  TempDir dir;
  const std::string ini = dir / "kivo.ini";
  WriteTestFile(ini, "[General]\n");
  EXPECT_FALSE(IsReadOnlyFile(ini));
  ASSERT_TRUE(::SetFileAttributesW(Wide(ini).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(IsReadOnlyFile(ini));
  EXPECT_FALSE(WriteFileAtomic(ini, "[General]\nVolume=1\n"));
  EXPECT_EQ(ReadTestFile(ini), "[General]\n");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::wstring>{L"kivo.ini"}) << "a temporary file was left";
  ASSERT_TRUE(::SetFileAttributesW(Wide(ini).c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_FALSE(IsReadOnlyFile(ini));
  EXPECT_TRUE(WriteFileAtomic(ini, "[General]\nVolume=1\n"));
  EXPECT_FALSE(IsReadOnlyFile(dir.Path())) << "a folder is no read-only file";
}

TEST(Win32Files, AnAtomicReplaceOfANonAsciiNameLeavesNoTemporary) {
  TempDir dir;
  const std::wstring name = L"k\u00E9vo-\u65E5.ini";  // "kévo-日.ini"
  const std::string path = dir / Utf8(name);
  ASSERT_TRUE(WriteFileAtomic(path, "first"));
  EXPECT_EQ(Names(dir.Path()), std::vector<std::wstring>{name}) << "the name as the system stores it";
  ASSERT_TRUE(WriteFileAtomic(path, "second, and longer than the first"));
  EXPECT_EQ(ReadTestFile(path), "second, and longer than the first");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::wstring>{name}) << "a temporary file was left";
  // A reader that has the file open for a moment (the window reading kivo.ini while kivo-tool
  // writes it) delays the replace, which Windows refuses while the file is open, but does not
  // make it fail; the reader keeps what it opened.
  HANDLE reader = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::string held;
  std::thread closer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    char bytes[64] = {};
    DWORD read = 0;
    if (::ReadFile(reader, bytes, sizeof bytes, &read, nullptr)) held.assign(bytes, read);
    ::CloseHandle(reader);
  });
  EXPECT_TRUE(WriteFileAtomic(path, "third"));
  closer.join();
  EXPECT_EQ(held, "second, and longer than the first");
  EXPECT_EQ(ReadTestFile(path), "third");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::wstring>{name});
}

// The temporary file of a writer killed before its rename goes at the next start; that of a writer
// still at work (here this test's own process) stays, and so does one of another file.
TEST(Win32Files, AnInterruptedWriteIsRemovedAndOneAtWorkIsKept) {
  TempDir dir;
  const std::string running = ".kivo.ini.tmp." + std::to_string(::GetCurrentProcessId()) + ".7";
  for (const std::string name : {std::string(".kivo.ini.tmp.999999999.42"), running, std::string(".cache.tbl.tmp.999999999.1")}) {
    WriteTestFile(dir / name, "half");
  }
  RemoveInterruptedWrites(dir / "kivo.ini");
  EXPECT_EQ(Names(dir.Path()), (std::vector<std::wstring>{L".cache.tbl.tmp.999999999.1", Wide(running)}));
}

TEST(Win32FileLock, TheCacheLockShutsOutASecondLock) {
  TempDir dir;
  const std::string lockFile = dir / "cache.lock";
  {
    FileLock first(lockFile);
    ASSERT_TRUE(first.IsHeld());
    FileLock second(lockFile);
    EXPECT_FALSE(second.IsHeld());
    first.Release();
    EXPECT_FALSE(first.IsHeld());
    FileLock third(lockFile);
    EXPECT_TRUE(third.IsHeld()) << "a released lock can be taken";
  }
  EXPECT_TRUE(FileExists(lockFile)) << "the lock file stays";
  FileLock again(lockFile);
  EXPECT_TRUE(again.IsHeld()) << "a lock ends with its object";
  EXPECT_FALSE(FileLock(dir / "no folder/cache.lock").IsHeld());
}

// The emulator started at high priority runs in the high priority class, one started without it
// in the normal class; both in their folder, with their arguments.
TEST(Win32Process, AStartAtHighPriorityRunsInTheHighPriorityClass) {
  TempDir dir;
  const std::string emu = dir / "My Emulators";
  ASSERT_TRUE(InstallFakeZsnes(emu));
  ASSERT_TRUE(StartDetached({emu + "/ZSNES.EXE", "D:\\GAMES\\MARIO.SMC", "-a"}, emu, false));
  ASSERT_EQ(WaitForStarts(emu, 1).size(), 1u);
  ASSERT_TRUE(StartDetached({emu + "/ZSNES.EXE", "high priority"}, emu, true));
  const std::vector<FakeStart> starts = WaitForStarts(emu, 2);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].args, (std::vector<std::string>{"D:\\GAMES\\MARIO.SMC", "-a"}));
  EXPECT_EQ(starts[0].cwd, Backslashed(emu));
  EXPECT_EQ(starts[0].priorityClass, NORMAL_PRIORITY_CLASS);
  EXPECT_EQ(starts[1].args, std::vector<std::string>{"high priority"});
  EXPECT_EQ(starts[1].priorityClass, HIGH_PRIORITY_CLASS);
  EXPECT_EQ(starts[1].cwd, Backslashed(emu));
}

TEST(Win32Dirs, TheDriveLettersAreTheRoots) {
  const std::vector<std::string> roots = DriveRoots();
  EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
  // Wine's drive for the Linux file system.
  EXPECT_NE(std::find(roots.begin(), roots.end(), "Z:\\"), roots.end());
  EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
  for (const std::string& root : roots) EXPECT_TRUE(std::regex_match(root, std::regex("[A-Z]:\\\\"))) << root;
  EXPECT_TRUE(DirectoryExists("C:\\"));
}

}  // namespace
