// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A writer killed (SIGKILL) at random moments, a thousand times. After each kill kivo.ini and the zip
// cache's table each hold the state before the write or the one after it, never a mix, and the next
// start leaves no temporary file of theirs behind.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <random>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "platform/files.h"
#include "support/crash_states.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "zipcache/cache_table.h"
#include "zipcache/zip_cache.h"

extern char** environ;

namespace {

constexpr int kKills = 1000;

// The temporary files that writes leave in a folder while they are under way.
int Temporaries(const std::string& folder) {
  int count = 0;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      if (std::string(entry->d_name).find(".tmp.") != std::string::npos) ++count;
    }
    ::closedir(dir);
  }
  return count;
}

// What the writer said before it was killed.
struct WriterSaid {
  long begun = -1;                       // the last state it began
  std::vector<std::size_t> tableHashes;  // the tables it wrote, in order
};

class Writer {
 public:
  Writer(const std::string& folder, const std::string& archiveA, const std::string& archiveB) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    std::vector<std::string> args = {KIVO_CRASH_WRITER, folder, archiveA, archiveB};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    output_ = pipeFds[0];
  }

  bool Started() const { return pid_ > 0; }

  WriterSaid Kill() {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(output_, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
    ::close(output_);
    WriterSaid said;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream words(line);
      std::string word;
      long state = 0;
      std::size_t hash = 0;
      // A line the kill cut short is not counted.
      if (!(words >> word >> state)) continue;
      if (word == "begin") said.begun = state;
      if (word == "table" && (words >> hash)) said.tableHashes.push_back(hash);
    }
    return said;
  }

 private:
  pid_t pid_ = -1;
  int output_ = -1;
};

TEST(CrashConsistency, KivoIniAndTheCacheTableHoldTheOldOrTheNewStateAfterEveryKill) {
  TempDir dir;
  const std::string ini = dir / "kivo.ini";
  const std::string table = dir / "zipcache/cache.tbl";
  WriteTestFile(ini, CrashStartFile());
  MakeTestDir(dir / "zipcache");
  MakeTestDir(dir / "roms");
  const std::string archives[] = {dir / "roms/Even.zip", dir / "roms/Odd.zip"};
  WriteZip(archives[0], {ZipFile("EVEN.SMC", std::string(64 * 1024, 'e'), true)});
  WriteZip(archives[1], {ZipFile("ODD.SMC", std::string(64 * 1024, 'o'), true)});

  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> delay(0, 30000);  // microseconds after the start
  long current = 0;
  std::size_t tableHash = std::hash<std::string>()("");
  int iniKept = 0, iniNewer = 0, tableKept = 0, tableNewer = 0, temporariesSeen = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    Writer writer(dir.Path(), archives[0], archives[1]);
    ASSERT_TRUE(writer.Started());
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    const WriterSaid said = writer.Kill();
    temporariesSeen += Temporaries(dir.Path()) + Temporaries(dir / "zipcache");

    // kivo.ini: exactly a state, the one it had or one the writer began.
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(ini, bytes, size_t{16} << 20)) << "kill " << kill;
    SettingsFile reader(ini);  // the next start
    const long found = CrashStateOf(reader.ReadString("General", "Counter", ""));
    ASSERT_GE(found, 0) << "kill " << kill << ": kivo.ini is a mix";
    ASSERT_TRUE(bytes == CrashStateFile(found)) << "kill " << kill << ": state " << found << " with other bytes";
    ASSERT_TRUE(found >= current && found <= std::max(current, said.begun)) << "kill " << kill;
    (found == current ? iniKept : iniNewer) += 1;
    current = found;

    // cache.tbl: the last table the writer finished, or a whole table of the archive it was at.
    std::string tableBytes;
    platform::ReadWholeFile(table, tableBytes, size_t{1} << 20);
    const std::size_t lastHash = said.tableHashes.empty() ? tableHash : said.tableHashes.back();
    if (std::hash<std::string>()(tableBytes) == lastHash) {
      ++tableKept;
    } else {
      const std::vector<std::string> lines = ParseCacheTable(tableBytes);
      ASSERT_TRUE(FormatCacheTable(lines) == tableBytes) << "kill " << kill << ": the table is cut short";
      ASSERT_EQ(lines.size(), 3u) << "kill " << kill;
      ASSERT_EQ(lines[0], archives[said.begun % 2]) << "kill " << kill << ": a table of another state";
      ASSERT_EQ(lines[2], "?end?") << "kill " << kill;
      ++tableNewer;
    }
    // The next start may purge a table naming files an eviction deleted before the kill; what it
    // leaves is the table the next kill is measured against.
    { TZipCache nextStart(dir / "zipcache", 1); }
    platform::ReadWholeFile(table, tableBytes, size_t{1} << 20);
    tableHash = std::hash<std::string>()(tableBytes);

    // The next start removed what the killed writer left.
    ASSERT_EQ(Temporaries(dir.Path()) + Temporaries(dir / "zipcache"), 0) << "kill " << kill;
  }
  std::cout << "kills: " << kKills << "; kivo.ini as before: " << iniKept << ", at a newer state: " << iniNewer
            << "; cache.tbl the last one written: " << tableKept << ", a newer whole one: " << tableNewer
            << "; temporary files found after a kill: " << temporariesSeen << ", left after the next start: 0\n";
}

}  // namespace
