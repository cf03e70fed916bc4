// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Where KIVO keeps its files, for every case in tests/data/kivo_folders/ (its README gives the form).
#include "app/kivo_folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/case_words.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

using namespace kivo::app;

namespace {

TEST(KivoFolders, EveryCaseLocatesAsItSays) {
  for (const std::vector<CaseStatement>& statements : ReadCaseStatements("kivo_folders")) {
    TempDir dir;
    ScopedEnv home("HOME", std::nullopt), config("XDG_CONFIG_HOME", std::nullopt),
        cache("XDG_CACHE_HOME", std::nullopt);
    for (const CaseStatement& statement : statements) {
      SCOPED_TRACE(statement.where);
      const std::vector<std::string> w = WordsBelow(statement, dir.Path());
      if (RunFileStatement(w)) continue;
      if (w[0] == "env") {
        w.at(2) == "-" ? ::unsetenv(w.at(1).c_str()) : ::setenv(w.at(1).c_str(), w[2].c_str(), 1);
      } else if (w[0] == "locate") {
        const KivoFolders folders = LocateKivoFolders(w.at(1));
        EXPECT_EQ(folders.portable, w.at(2) == "portable");
        EXPECT_EQ(folders.settingsFile, w.at(3));
        EXPECT_EQ(folders.dataFolder, w.at(4));
        EXPECT_EQ(folders.manual, w.at(5));
      } else if (w[0] == "create") {
        CreateKivoFolders(LocateKivoFolders(w.at(1)));
      } else {
        ADD_FAILURE() << "unknown statement " << w[0];
      }
    }
  }
}

}  // namespace
