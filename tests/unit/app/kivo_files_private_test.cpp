// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/kivo_folders.h"
#include "support/temp_dir.h"

namespace {

// Earlier versions left kivo.ini and the cache table writable by every user: the next start makes
// them the user's alone and says so, once; a mode the user chose stays.
TEST(KivoFilesPrivateTest, EveryonesFilesAreMadePrivateOnceAndSaidOnce) {
  TempDir dir;
  MakeTestDir(dir / "zipcache");
  const kivo::app::KivoFolders folders{dir / "kivo.ini", dir.Path(), "", true};
  WriteTestFile(folders.settingsFile, "[General]\n");
  WriteTestFile(dir / "zipcache/cache.tbl", "");
  ASSERT_EQ(::chmod(folders.settingsFile.c_str(), 0666), 0);
  ASSERT_EQ(::chmod((dir / "zipcache/cache.tbl").c_str(), 0664), 0);  // shared with a group on purpose
  EXPECT_EQ(kivo::app::MakeKivoFilesPrivate(folders),
            folders.settingsFile + " could be changed by every user, as an earlier KIVO made it; it is now writable by "
                                   "you alone.");
  struct stat st {};
  ASSERT_EQ(::stat(folders.settingsFile.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  ASSERT_EQ(::stat((dir / "zipcache/cache.tbl").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0664u);
  EXPECT_EQ(kivo::app::MakeKivoFilesPrivate(folders), "");
}

}  // namespace
