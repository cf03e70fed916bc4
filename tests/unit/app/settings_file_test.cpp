// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo.ini: where KIVO keeps it and its other files, for every case in tests/data/kivo_folders/, the
// reads and writes of every case in tests/data/settings/ (each folder's README gives the form), and
// a write the system cuts short, which no case file can arrange.
#include "app/settings_file.h"
#include "app/kivo_folders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <optional>

#include "common/error.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "support/case_words.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

using namespace kivo::app;
using namespace kivo::common;

namespace {

void RunCase(const std::string& dir, const std::vector<CaseStatement>& statements) {
  const std::string path = dir + "/kivo.ini";
  std::optional<SettingsFile> settings(path);
  int writes = 0;
  bool failWrites = false;
  kivo::platform::SetWriteFaultForTesting([&](const std::string&) {
    ++writes;
    return failWrites;
  });
  for (const CaseStatement& statement : statements) {
    SCOPED_TRACE(statement.where);
    const std::vector<std::string> below = WordsBelow(statement, dir);
    if (RunFileStatement(below)) continue;
    const std::vector<std::string>& w = statement.words;
    if (w[0] == "env") {
      SetEnvironmentVariable(below.at(1), below.at(2) == "-" ? std::nullopt : std::optional(below[2]));
    } else if (w[0] == "locate") {
      const KivoFolders folders = LocateKivoFolders(below.at(1));
      EXPECT_EQ((std::vector<std::string>{folders.portable ? "portable" : "installed", folders.settingsFile,
                                          folders.dataFolder, folders.manual}),
                std::vector<std::string>(below.begin() + 2, below.end()));
    } else if (w[0] == "create") {
      CreateKivoFolders(LocateKivoFolders(below.at(1)));
    } else if (w[0] == "ini") {
      WriteTestFile(path, statement.Joined(1));
    } else if (w[0] == "read") {
      EXPECT_EQ(settings->ReadString(w.at(1), w.at(2), w.at(3)), statement.Joined(4));
    } else if (w[0] == "int") {
      EXPECT_EQ(settings->ReadInteger(w.at(1), w.at(2), std::stoi(w.at(3))), std::stoi(w.at(4)));
    } else if (w[0] == "bool") {
      EXPECT_EQ(settings->ReadBool(w.at(1), w.at(2), w.at(3) == "1"), w.at(4) == "1");
    } else if (w[0] == "write") {
      settings->WriteString(w.at(1), w.at(2), w.at(3));
    } else if (w[0] == "refused") {
      EXPECT_THAT([&] { settings->WriteString(w.at(1), w.at(2), w.at(3)); },
                  testing::ThrowsMessage<KivoError>("Unable to write to " + path));
    } else if (w[0] == "written") {
      EXPECT_EQ(writes, std::stoi(w.at(1)));
    } else if (w[0] == "writes") {
      failWrites = w.at(1) == "fail";
    } else if (w[0] == "reads") {
      kivo::platform::SetReadFaultForTesting(
          [&, fail = w.at(1) == "fail"](const std::string& p) { return fail && p == path; });
    } else if (w[0] == "start") {
      settings.emplace(path);
    } else {
      ADD_FAILURE() << "unknown statement " << w[0];
    }
  }
}

class SettingsCase : public testing::TestWithParam<std::string> {};

TEST_P(SettingsCase, LocatesReadsAndWritesAsItSays) {
  KIVO_CASE_STATEMENTS(statements);
  TempDir dir;
  ScopedEnv home("HOME", std::nullopt), config("XDG_CONFIG_HOME", std::nullopt), cache("XDG_CACHE_HOME", std::nullopt),
      appData("APPDATA", std::nullopt), localAppData("LOCALAPPDATA", std::nullopt);
  RunCase(dir.Path(), statements);
  kivo::platform::SetWriteFaultForTesting({});
  kivo::platform::SetReadFaultForTesting({});
}
INSTANTIATE_TEST_SUITE_P(kivo_folders, SettingsCase, testing::ValuesIn(CaseFiles("kivo_folders")), CaseName);
INSTANTIATE_TEST_SUITE_P(settings, SettingsCase, testing::ValuesIn(CaseFiles("settings")), CaseName);

// A write the system cuts short on the disk (here the file-size limit, in a child process of its
// own) is reported and leaves the file as it was, and no partial copy beside it.
TEST(SettingsFile, AWriteCutShortLeavesTheFileWhole) {
#ifdef _WIN32
  GTEST_SKIP() << "the file-size limit that cuts the write short is POSIX";
#else
  TempDir dir;
  WriteTestFile(dir / "kivo.ini", "[General]\nVolume=25\n");
  auto writeCutShort = [&dir] {
    ::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead of ending the process
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      SettingsFile(dir / "kivo.ini").WriteString("General", "MediaPath", std::string(4096, 'v'));
    } catch (const KivoError&) {
      ::_Exit(0);
    }
  };
  EXPECT_EXIT(writeCutShort(), testing::ExitedWithCode(0), "") << "the cut-short write was not reported";
  EXPECT_EQ(ReadTestFile(dir / "kivo.ini"), "[General]\nVolume=25\n");
  EXPECT_EQ(kivo::platform::ListDirectory(dir.Path()).size(), 3u);  // ".", ".." and kivo.ini
#endif
}

}  // namespace
