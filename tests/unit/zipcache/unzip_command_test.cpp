// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/unzip_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"

namespace {

TEST(UnzipCommandTest, UnpacksNextToItselfReplacingFilesAndKeepingInside) {
  TempDir dir;
  std::string folder = dir / "roms";
  MakeTestDir(folder);
  WriteTestFile(folder + "/GAME.SFC", "old");
  // A member named like the archive replaces it, yet the members after it still come out of the
  // archive being read.
  WriteZip(folder + "/pack.zip", {ZipFile("GAME.SFC", "new"), ZipFile("pack.zip", "not an archive"),
                                  ZipFile("docs/INFO.TXT", "info"), ZipFile("../escape.txt", "x")});

  std::vector<std::string> written = UnzipNextToItself(folder, "pack.zip");

  EXPECT_EQ(written, (std::vector<std::string>{folder + "/GAME.SFC", folder + "/pack.zip", folder + "/docs/INFO.TXT"}));
  EXPECT_EQ(ReadTestFile(folder + "/GAME.SFC"), "new");
  EXPECT_EQ(ReadTestFile(folder + "/pack.zip"), "not an archive");
  EXPECT_EQ(ReadTestFile(folder + "/docs/INFO.TXT"), "info");
  EXPECT_FALSE(platform::FileExists(dir / "escape.txt"));
  EXPECT_TRUE(UnzipNextToItself(folder, "missing.zip").empty());
}

}  // namespace
