// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Paths taken apart as the system in use reads them: on Windows both separators count and a drive's
// root keeps its separator; on POSIX systems a backslash is part of a name.
#include <gtest/gtest.h>

#include "common/path.h"

using namespace kivo::common;

namespace {

TEST(PathTest, APathIsTakenApartAtTheSystemsSeparators) {
  EXPECT_EQ(ExtractFileDir("/roms/Zelda.smc"), "/roms");
  EXPECT_EQ(ExtractFileDir("/Zelda.smc"), "/");
  EXPECT_EQ(ExtractFileName("/roms/Zelda.smc"), "Zelda.smc");
  EXPECT_EQ(ExtractFileExt("/roms.d/Zelda"), "");
  EXPECT_TRUE(IsAbsolutePath("/roms"));
  EXPECT_FALSE(IsAbsolutePath("roms/Zelda.smc"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_TRUE(IsRootPath("/"));
  EXPECT_FALSE(IsRootPath("/roms"));
#ifdef _WIN32
  EXPECT_EQ(AddBackslash("C:\\roms"), "C:\\roms\\");
  EXPECT_EQ(AddBackslash("C:/roms/"), "C:/roms/");
  EXPECT_EQ(ExtractFileDir("C:\\roms\\Zelda.smc"), "C:\\roms");
  EXPECT_EQ(ExtractFileDir("C:\\Zelda.smc"), "C:\\");
  EXPECT_EQ(ExtractFileDir("C:/roms/sub\\Zelda.smc"), "C:/roms/sub");
  EXPECT_EQ(ExtractFileName("C:\\roms/Zelda.smc"), "Zelda.smc");
  EXPECT_EQ(ExtractFileExt("C:\\roms.d\\Zelda"), "");
  EXPECT_TRUE(IsAbsolutePath("C:\\roms"));
  EXPECT_TRUE(IsAbsolutePath("c:/roms"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
  EXPECT_FALSE(IsAbsolutePath("C:roms"));  // relative to drive C:'s current folder
  EXPECT_TRUE(IsRootPath("C:\\"));
  EXPECT_FALSE(IsRootPath("C:"));
  EXPECT_EQ(NativeSeparators("C:/roms\\sub/Zelda.smc"), "C:\\roms\\sub\\Zelda.smc");
#else
  EXPECT_EQ(NativeSeparators("/roms/a\\b.smc"), "/roms/a\\b.smc");
  EXPECT_EQ(AddBackslash("/roms"), "/roms/");
  EXPECT_EQ(ExtractFileName("/roms/Back\\slash.smc"), "Back\\slash.smc");
  EXPECT_EQ(ExtractFileDir("/roms/a\\b.smc"), "/roms");
  EXPECT_FALSE(IsAbsolutePath("C:\\roms"));
  EXPECT_FALSE(IsRootPath("C:\\"));
#endif
}

// A game is remembered by one name whichever way the user wrote its path.
TEST(PathTest, ALexicalPathDropsDotsAndDoubledSeparators) {
#ifdef _WIN32
  EXPECT_EQ(LexicalPath("C:\\roms\\.\\sub\\..\\Zelda.smc"), "C:\\roms\\Zelda.smc");
  EXPECT_EQ(LexicalPath("C:/roms//a/../../../Zelda.smc"), "C:/Zelda.smc");
  EXPECT_EQ(LexicalPath("\\\\server\\share\\.\\x.smc"), "\\\\server\\share\\x.smc");
#else
  EXPECT_EQ(LexicalPath("/roms/./sub/../Zelda.smc"), "/roms/Zelda.smc");
  EXPECT_EQ(LexicalPath("/roms//a/../../../Zelda.smc"), "/Zelda.smc");
  EXPECT_EQ(LexicalPath("/roms/a\\..\\b.smc"), "/roms/a\\..\\b.smc");
  EXPECT_EQ(LexicalPath("/roms/...smc/"), "/roms/...smc");
#endif
  EXPECT_EQ(LexicalPath("relative/./x"), "relative/./x");
  EXPECT_EQ(LexicalPath(""), "");
}

}  // namespace
