// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A writer killed (SIGKILL) at random moments, a thousand times. After each kill kivo.ini holds the
// state before the write or the one after it, never a mix, the zip cache's table is whole, and the
// next start leaves no temporary file of theirs behind. And kivo-tool killed while it unpacks a
// large archive: the next run leaves nothing in the cache that its table does not list.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "app/ini_document.h"
#include "app/settings_file.h"
#include "support/crash_states.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/cache_table.h"
#include "zipcache/zip_cache.h"

using namespace kivo::app;
using namespace kivo::zipcache;

namespace {

// The temporary files that writes of kivo.ini and of the cache's table leave while under way.
int Temporaries(const std::string& root) {
  int count = 0;
  for (const std::string& folder : {root, root + "/zipcache"}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      count += entry.path().filename().string().find(".tmp.") != std::string::npos;
    }
  }
  return count;
}

// How long after its start the writer may be killed. A writer built with AddressSanitizer takes many
// times as long to start and to write, so that within the usual 30 ms it may not reach its first
// write in a thousand runs.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kLongestDelay = 200000;
#else
constexpr int kLongestDelay = 30000;
#endif

TEST(CrashConsistency, KivoIniAndTheCacheTableAreWholeAfterEveryKill) {
  TempDir dir;
  const std::string ini = dir / "kivo.ini", table = dir / "zipcache/cache.tbl";
  // A long section of its own makes each state's write a large one, so that a kill lands inside a
  // write as often as between two.
  std::string start = "[Zelda]\n";
  for (int line = 0; line < 8000; ++line) start += "Key" + std::to_string(line) + "=some value of the game\n";
  WriteTestFile(ini, start);
  MakeTestDir(dir / "zipcache");
  std::string archives[] = {dir / "Even.zip", dir / "Odd.zip"};
  WriteZip(archives[0], {ZipFile("EVEN.SMC", std::string(64 * 1024, 'e'), true)});
  WriteZip(archives[1], {ZipFile("ODD.SMC", std::string(64 * 1024, 'o'), true)});
  std::string writer = KIVO_CRASH_WRITER, folder = dir.Path();
  char* const argv[] = {writer.data(), folder.data(), archives[0].data(), archives[1].data(), nullptr};

  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> delay(0, kLongestDelay);  // microseconds after the start
  long current = 0;
  int newer = 0, temporariesSeen = 0;
  for (int kill = 0; kill < 1000; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(pid, SIGKILL);
    ASSERT_EQ(::waitpid(pid, nullptr, 0), pid);
    temporariesSeen += Temporaries(dir.Path());

    // kivo.ini: exactly a state, the one it had or a later one.
    std::string bytes = ReadTestFile(ini);
    const long found = CrashStateOf(SettingsFile(ini).ReadString("General", "Counter", ""));  // the next start
    ASSERT_GE(found, current) << "kivo.ini is a mix, or older";
    ASSERT_TRUE(bytes ==
                (found == 0 ? start : IniDocument(start).WithValue("General", "Counter", CrashStateValue(found))))
        << "state " << found << " with other bytes";
    newer += found > current;
    current = found;

    // cache.tbl: no table, or one whole group of either archive.
    bytes = ReadTestFile(table);
    const std::vector<std::string> lines = ParseCacheTable(bytes);
    ASSERT_TRUE(bytes.empty() || (bytes == FormatCacheTable(lines) && lines.size() == 3 && lines[2] == "?end?" &&
                                  (lines[0] == archives[0] || lines[0] == archives[1])))
        << bytes;
    { TZipCache cacheStart(dir / "zipcache", 1); }
    ASSERT_EQ(Temporaries(dir.Path()), 0) << "the next start left what the killed writer left";
  }
  // The writer got on, and kills landed inside writes (their temporary files were there): else the
  // test proved nothing.
  EXPECT_GT(newer, 0);
  EXPECT_GT(temporariesSeen, 0);
}

// Runs kivo-tool with the arguments, its output going nowhere; its process id.
pid_t StartTool(const std::string& tool, std::vector<std::string> args) {
  args.insert(args.begin(), tool);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  ::posix_spawn_file_actions_init(&quiet);
  ::posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  EXPECT_EQ(::posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ), 0);
  ::posix_spawn_file_actions_destroy(&quiet);
  return pid;
}

// The files below the cache folder that are neither the table, nor its lock, nor listed in it.
std::vector<std::string> UnlistedFiles(const std::string& cache) {
  const std::vector<std::string> table = ParseCacheTable(ReadTestFile(cache + "/cache.tbl"));
  std::vector<std::string> unlisted;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(cache)) {
    const std::string path = entry.path().string();
    if (entry.is_directory() || path == cache + "/cache.tbl" || path == cache + "/cache.lock") continue;
    if (std::find(table.begin(), table.end(), path) == table.end()) unlisted.push_back(path);
  }
  return unlisted;
}

TEST(CrashConsistency, AKillWhileUnpackingLeavesNothingTheNextRunDoesNotList) {
  TempDir dir;
  const std::string tool = dir / "kivo-tool", cache = dir / "zipcache";
  std::filesystem::copy_file(KIVO_TOOL, tool);
  WriteTestFile(dir / "kivo.ini", "[General]\nCacheSize=1\n");
  // Large enough that most kills land while it is being unpacked: members of incompressible bytes
  // stored as they are, the game last.
  std::mt19937 random(20261208);
  std::vector<ZipMember> members;
  for (int i = 0; i < 12; ++i) {
    std::string bytes(2 << 20, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    members.push_back(ZipFile("disc/track" + std::to_string(i) + ".bin", bytes));
  }
  members.push_back(ZipFile("GAME.SMC", std::string(1 << 20, 'g')));
  const std::string large = dir / "Large.zip", small = dir / "Small.zip";
  WriteZip(large, members);
  WriteZip(small, {ZipFile("SMALL.SMC", "s")});
  // How long a whole run takes, to spread the kills over it.
  const auto begun = std::chrono::steady_clock::now();
  int status = -1;
  ::waitpid(StartTool(tool, {"verify", large}), &status, 0);
  ASSERT_TRUE(WIFEXITED(status));  // the games are no real ones: verify says so, and ends
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - begun);
  std::uniform_int_distribution<int64_t> delay(0, whole.count());
  int unpackingKilled = 0;
  for (int kill = 0; kill < 100; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    // Unpacked afresh each time: the small one took the only place in the cache.
    const pid_t pid = StartTool(tool, {"verify", large});
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(pid, SIGKILL);
    ASSERT_EQ(::waitpid(pid, nullptr, 0), pid);
    unpackingKilled += !UnlistedFiles(cache).empty();
    ::waitpid(StartTool(tool, {"verify", small}), &status, 0);  // the next run
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(UnlistedFiles(cache), std::vector<std::string>{});
    const std::vector<std::string> table = ParseCacheTable(ReadTestFile(cache + "/cache.tbl"));
    ASSERT_LE(std::count(table.begin(), table.end(), std::string(kGroupEnd)), 1);
  }
  EXPECT_GT(unpackingKilled, 10) << "few kills landed while the archive was unpacked: the test proved little";
}

}  // namespace
