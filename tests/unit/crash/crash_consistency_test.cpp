// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A writer killed (SIGKILL) at random moments, a thousand times. After each kill kivo.ini holds the
// state before the write or the one after it, never a mix, the zip cache's table is whole, and the
// next start leaves no temporary file of theirs behind.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
  std::uniform_int_distribution<int> delay(0, 30000);  // microseconds after the start
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

}  // namespace
