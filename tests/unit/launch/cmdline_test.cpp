// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool as the user runs it, on every case in tests/data/cmdline/ (its README gives the
// statements): the built program in a folder of its own, with the files and kivo.ini the case makes
// there, and PATH and HOME inside that folder too. Showing a launch, or failing to start one, never
// touches the case's files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <optional>

#include "support/case_words.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/zip_builder.h"

namespace {

struct Expected {
  std::string where, args;
  std::optional<std::string> out;
  std::string first, last, err;
  int status = 0;
};

// The case's files and their bytes, leaving out what the tool keeps beside itself.
std::map<std::string, std::string> Files(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    const std::string name = entry.path().string().substr(dir.size() + 1);
    if (name == "kivo-tool" || name.starts_with("zipcache") || name.starts_with("shortnames")) continue;
    files[name] = entry.is_regular_file() ? ReadTestFile(entry.path()) : "<folder>";
  }
  return files;
}

void Check(const Expected& e, const TempDir& dir, const TempDir& scratch) {
  SCOPED_TRACE(e.where + ": kivo-tool" + e.args);
  const auto before = Files(dir.Path());
  const ToolRun run = RunTool(scratch, dir / "kivo-tool", e.args, dir / "roms");
  EXPECT_EQ(run.status, e.status) << run.err;
  EXPECT_EQ(run.out, e.out.value_or(run.out));
  EXPECT_TRUE(run.out.starts_with(e.first)) << run.out;
  EXPECT_TRUE(e.last.empty() || run.out.ends_with("\n" + e.last + "\n")) << run.out;
  EXPECT_TRUE(e.err.empty() ? run.err.empty() : run.err.find(e.err) != std::string::npos) << run.err;
  EXPECT_EQ(Files(dir.Path()), before);
}

// The words as the shell would pass them, each one quoted.
std::string ShellWords(const std::vector<std::string>& words) {
  std::string line;
  for (size_t i = 1; i < words.size(); ++i) {
    line += " '";
    for (char c : words[i]) c == '\'' ? line += "'\\''" : line += c;
    line += '\'';
  }
  return line;
}

TEST(Cmdline, EveryCaseShowsItsLaunch) {
  for (const std::vector<CaseStatement>& statements : ReadCaseStatements("cmdline")) {
    TempDir dir, scratch;
    std::filesystem::copy_file(KIVO_TOOL, dir / "kivo-tool");
    MakeTestDir(dir / "roms");
    ScopedEnv programs("PATH", dir / "bin"), home("HOME", dir / "home"), xdg("XDG_CONFIG_HOME", std::nullopt);
    std::optional<Expected> run;
    auto flush = [&] {
      if (run) Check(*run, dir, scratch);
      run.reset();
    };
    for (const CaseStatement& statement : statements) {
      const std::vector<std::string> w = WordsBelow(statement, dir.Path());
      std::string text;
      for (size_t i = 1; i < w.size(); ++i) text += w[i] + (w[0] == "ini" ? "\n" : "");
      if (run && (w[0] == "out" || w[0] == "first" || w[0] == "last" || w[0] == "err" || w[0] == "status")) {
        if (w[0] == "out") run->out = text;
        if (w[0] == "first") run->first = text + "\n";
        if (w[0] == "last") run->last = text;
        if (w[0] == "err") run->err = text;
        if (w[0] == "status") run->status = std::stoi(text);
        continue;
      }
      flush();
      if (w[0] == "kivo-tool") {
        run = Expected{statement.where, ShellWords(w), {}, {}, {}, {}, 0};
      } else if (w[0] == "program") {
        WriteTestFile(w.at(1), "#!/bin/sh\n");
        ASSERT_EQ(::chmod(w[1].c_str(), 0755), 0);
      } else if (w[0] == "zip") {
        WriteZip(w.at(1), {ZipFile("README.TXT", "read me"), ZipFile(w.at(2), "zipped", true)});
      } else if (w[0] == "ini") {
        WriteTestFile(dir / "kivo.ini", text);
      } else if (!RunFileStatement(w)) {
        ADD_FAILURE() << statement.where << ": unknown statement " << w[0];
      }
    }
    flush();
  }
}

}  // namespace
