// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool as the user runs it, on every case in tests/data/cmdline/ (its README gives the
// statements): the built program in a folder of its own, with the files and kivo.ini the case makes
// there, and PATH and HOME inside that folder too. A run touches no file of the case but those it is
// expected to write.
#include <gtest/gtest.h>

#include <filesystem>
#include <list>
#include <map>
#include <memory>
#include <optional>

#include "common/text.h"
#include "support/case_words.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/zip_builder.h"

namespace {

using kivo::common::ShellQuoted;
namespace fs = std::filesystem;

struct Expected {
  std::string where, args;
  std::optional<std::string> out;
  std::string err;
  std::vector<std::string> lines, writes;
  int status = 0;
};

// The case's files by full path and what each holds, leaving out what the tool keeps beside itself:
// the cache, the aliases and the record of starts (which holds their times; "kivo-tool list" shows it).
std::map<std::string, std::string> Files(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string name = entry.path().string().substr(dir.size() + 1);
    if (name == "kivo-tool" || name.starts_with("zipcache") || name.starts_with("shortnames") ||
        name == "kivo-games.txt")
      continue;
    files[entry.path().string()] = entry.is_symlink()        ? "<link to " + fs::read_symlink(entry).string() + ">"
                                   : entry.is_regular_file() ? ReadTestFile(entry.path().string())
                                                             : "<folder>";
  }
  return files;
}

void Check(const Expected& e, const TempDir& dir, const TempDir& scratch) {
  SCOPED_TRACE(e.where + ": kivo-tool" + e.args);
  auto before = Files(dir.Path());
  const ToolRun run = RunTool(scratch, dir / "kivo-tool", e.args, dir / "roms");
  EXPECT_EQ(run.status, e.status) << run.err;
  EXPECT_EQ(run.out, e.out.value_or(run.out));
  for (const std::string& line : e.lines) {
    EXPECT_NE(("\n" + run.out).find("\n" + line + "\n"), std::string::npos) << line << "\nnot in:\n" << run.out;
  }
  EXPECT_TRUE(e.err.empty() ? run.err.empty() : run.err.find(e.err) != std::string::npos) << run.err;
  auto after = Files(dir.Path());
  for (const std::string& written : e.writes) {
    before.erase(written);
    after.erase(written);
  }
  EXPECT_EQ(after, before);
}

// The statement's words with "$/" standing for the case's folder; any other "$" is the shell's.
std::vector<std::string> WordsIn(const CaseStatement& statement, const std::string& root) {
  std::vector<std::string> words;
  for (const std::string& word : statement.words) words.push_back(PathsBelow(word, root, true));
  return words;
}

class CmdlineCase : public testing::TestWithParam<std::string> {};

TEST_P(CmdlineCase, ShowsItsLaunch) {
  KIVO_CASE_STATEMENTS(statements);
  TempDir dir, scratch;
  fs::copy_file(KIVO_TOOL, dir / "kivo-tool");
  MakeTestDir(dir / "roms");
  ScopedEnv programs("PATH", dir / "bin"), home("HOME", dir / "home"), xdg("XDG_CONFIG_HOME", std::nullopt);
  std::list<ScopedEnv> environment;
  std::unique_ptr<Expected> run;
  auto flush = [&] {
    if (run) Check(*run, dir, scratch);
    run.reset();
  };
  for (const CaseStatement& statement : statements) {
    SCOPED_TRACE(statement.where);
    const std::vector<std::string> w = WordsIn(statement, dir.Path());
    std::string text;
    for (size_t i = 1; i < w.size(); ++i) text += w[i] + (w[0] == "ini" ? "\n" : "");
    if (run && (w[0] == "out" || w[0] == "line" || w[0] == "err" || w[0] == "status" || w[0] == "writes")) {
      if (w[0] == "out") run->out = text;
      if (w[0] == "line") run->lines.push_back(text);
      if (w[0] == "err") run->err = text;
      if (w[0] == "status") run->status = std::stoi(text);
      if (w[0] == "writes") run->writes.insert(run->writes.end(), w.begin() + 1, w.end());
      continue;
    }
    flush();
    if (w[0] == "kivo-tool") {
      run = std::make_unique<Expected>(Expected{
          statement.where, w.size() > 1 ? " " + ShellQuoted({w.begin() + 1, w.end()}) : "", {}, {}, {}, {}, 0});
    } else if (w[0] == "zip") {
      WriteZip(w.at(1), {ZipFile("README.TXT", "read me"), ZipFile(w.at(2), "zipped", true)});
    } else if (w[0] == "ini") {
      WriteTestFile(dir / "kivo.ini", text);
    } else if (w[0] == "env") {
      environment.emplace_back(w.at(1), w.size() > 2 ? std::optional(w[2]) : std::nullopt);
    } else if (!RunFileStatement(w)) {
      ADD_FAILURE() << statement.where << ": unknown statement " << w[0];
    }
  }
  flush();
}
INSTANTIATE_TEST_SUITE_P(cmdline, CmdlineCase, testing::ValuesIn(CaseFiles("cmdline")), CaseName);

}  // namespace
