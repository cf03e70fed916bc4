// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo.ini: the reads and writes of every case in tests/data/settings/ (its README gives the form),
// and a write the system cuts short, which no case file can arrange.
#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <optional>

#include "common/error.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "support/case_words.h"
#include "support/temp_dir.h"

using namespace kivo::app;
using namespace kivo::common;

namespace {

void RunCase(const std::string& dir, const std::vector<CaseStatement>& statements) {
  const std::string path = dir + "/kivo.ini";
  struct ResetSeams {
    ~ResetSeams() {
      kivo::platform::SetWriteFaultForTesting({});
      kivo::platform::SetReadFaultForTesting({});
    }
  } resetSeams;
  std::optional<SettingsFile> settings(path);
  int writes = 0;
  bool failWrites = false;
  kivo::platform::SetWriteFaultForTesting([&](const std::string&) {
    ++writes;
    return failWrites;
  });
  for (const CaseStatement& statement : statements) {
    SCOPED_TRACE(statement.where);
    if (RunFileStatement(WordsBelow(statement, dir))) continue;
    const std::vector<std::string>& w = statement.words;
    if (w[0] == "ini") {
      WriteTestFile(path, statement.Joined(1));
    } else if (w[0] == "expect") {
      EXPECT_TRUE(ReadTestFile(path) == statement.Joined(1)) << ReadTestFile(path).substr(0, 400);
    } else if (w[0] == "read") {
      EXPECT_EQ(settings->ReadString(w.at(1), w.at(2), w.at(3)), statement.Joined(4));
    } else if (w[0] == "int") {
      EXPECT_EQ(settings->ReadInteger(w.at(1), w.at(2), std::stoi(w.at(3))), std::stoi(w.at(4)));
    } else if (w[0] == "bool") {
      EXPECT_EQ(settings->ReadBool(w.at(1), w.at(2), w.at(3) == "1"), w.at(4) == "1");
    } else if (w[0] == "write") {
      settings->WriteString(w.at(1), w.at(2), w.at(3));
    } else if (w[0] == "refused") {
      try {
        settings->WriteString(w.at(1), w.at(2), w.at(3));
        ADD_FAILURE() << "the write was not refused";
      } catch (const KivoError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
      }
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

TEST(SettingsFile, EveryCaseReadsAndWritesAsItSays) {
  for (const std::vector<CaseStatement>& statements : ReadCaseStatements("settings")) {
    TempDir dir;
    RunCase(dir.Path(), statements);
  }
}

// A write the system cuts short on the disk (here the file-size limit, in a child process of its
// own) is reported and leaves the file as it was, and no partial copy beside it; a folder that does
// not exist refuses the write without any seam.
TEST(SettingsFile, AWriteCutShortLeavesTheFileWhole) {
  TempDir dir;
  SettingsFile settings(dir / "kivo.ini");
  WriteTestFile(dir / "kivo.ini", "[General]\nVolume=25\n");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead of ending the process
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      settings.WriteString("General", "MediaPath", std::string(4096, 'v'));
    } catch (const KivoError&) {
      ::_exit(0);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the cut-short write was not reported";
  EXPECT_EQ(ReadTestFile(dir / "kivo.ini"), "[General]\nVolume=25\n");
  EXPECT_EQ(kivo::platform::ListDirectory(dir.Path()).size(), 3u);  // ".", ".." and kivo.ini
  EXPECT_THROW(SettingsFile(dir / "missing/kivo.ini").WriteBool("General", "Run first", false), KivoError);
}

}  // namespace
