// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Where KIVO keeps its files: beside a portable program, under the user's home when installed.
#include "app/kivo_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

class KivoFoldersTest : public ::testing::Test {
 protected:
  TempDir prefix_;
  TempDir home_;
  std::string bin_ = prefix_ / "bin";
  ScopedEnv home{"HOME", home_.Path()};
  ScopedEnv config{"XDG_CONFIG_HOME", std::nullopt};
  ScopedEnv cache{"XDG_CACHE_HOME", std::nullopt};
  void SetUp() override { MakeTestDir(bin_); }
};

TEST_F(KivoFoldersTest, APortableProgramKeepsEverythingBesideItself) {
  WriteTestFile(bin_ + "/KIVO - Manual.txt", "manual");
  KivoFolders folders = LocateKivoFolders(bin_);
  EXPECT_TRUE(folders.portable);
  EXPECT_EQ(folders.settingsFile, bin_ + "/kivo.ini");
  EXPECT_EQ(folders.dataFolder, bin_);
  EXPECT_EQ(folders.manual, bin_ + "/KIVO - Manual.txt");
}

// A package's program, told by its manual under share/doc: the user's folders, also for root (who
// may write the program's folder); a kivo.ini put beside the program keeps it portable.
TEST_F(KivoFoldersTest, AnInstalledProgramUsesTheUsersFolders) {
  MakeTestDir(prefix_ / "share/doc/kivo");
  WriteTestFile(prefix_ / "share/doc/kivo/KIVO - Manual.txt", "manual");
  KivoFolders folders = LocateKivoFolders(bin_);
  EXPECT_FALSE(folders.portable);
  EXPECT_EQ(folders.settingsFile, home_ / ".config/kivo/kivo.ini");
  EXPECT_EQ(folders.dataFolder, home_ / ".cache/kivo");
  EXPECT_EQ(folders.manual, prefix_ / "share/doc/kivo/KIVO - Manual.txt");
  CreateKivoFolders(folders);
  EXPECT_TRUE(std::filesystem::is_directory(home_ / ".config/kivo"));
  EXPECT_TRUE(std::filesystem::is_directory(home_ / ".cache/kivo"));

  {
    ScopedEnv xdgConfig("XDG_CONFIG_HOME", home_ / "conf");
    ScopedEnv xdgCache("XDG_CACHE_HOME", home_ / "cache");
    folders = LocateKivoFolders(bin_);
    EXPECT_EQ(folders.settingsFile, home_ / "conf/kivo/kivo.ini");
    EXPECT_EQ(folders.dataFolder, home_ / "cache/kivo");
  }

  WriteTestFile(bin_ + "/kivo.ini", "");
  folders = LocateKivoFolders(bin_);
  EXPECT_TRUE(folders.portable);
  EXPECT_EQ(folders.settingsFile, bin_ + "/kivo.ini");
}

}  // namespace
