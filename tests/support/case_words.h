// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Case files whose statements are lists of words: plain text, a statement a line. A word is a run
// of bytes without blanks, or a string in double quotes with the escapes \n \r \t \0 \\ \" and
// \xHH (a file name or a settings line keeps its odd bytes that way); a quoted word followed by *N
// stands for N copies. A line starting with a blank continues the statement above it; lines
// starting with "#" are comments.
struct CaseStatement {
  std::string where;  // "file:line", for the failure message
  std::vector<std::string> words;
  // The words from `first` on, joined without separators: a long text given in pieces.
  std::string Joined(size_t first) const;
};

// One case file of tests/data/, named "folder/name" (without ".txt"), as statements. A file that
// cannot run on this system comes with the reason and no statements: on Windows one that uses a
// statement of what only POSIX systems have, and on either system one that says "only posix" or
// "only windows" (the rest of that line says why).
struct CaseFile {
  std::vector<CaseStatement> statements;
  std::string notRunHere;
};
CaseFile ReadCaseFile(const std::string& folderAndName);

// The case files of tests/data/<folder>, in name order, as "folder/name": each is a test of its own,
//   INSTANTIATE_TEST_SUITE_P(folder, Fixture, testing::ValuesIn(CaseFiles("folder")), CaseName);
// Fails when the folder holds none.
std::vector<std::string> CaseFiles(const std::string& folder);
std::string CaseName(const testing::TestParamInfo<std::string>& info);

// In a TEST_P over CaseFiles: `variable` names the case file's statements, or the test is
// skipped with the reason the file cannot run here.
#define KIVO_CASE_STATEMENTS(variable)                                               \
  const CaseFile kivo_case_file = ReadCaseFile(GetParam());                          \
  if (!kivo_case_file.notRunHere.empty()) GTEST_SKIP() << kivo_case_file.notRunHere; \
  const std::vector<CaseStatement>& variable = kivo_case_file.statements

// The statement's words with every "$" standing for `root`: cases that make and check files name
// them below a folder of the test's own.
std::vector<std::string> WordsBelow(const CaseStatement& statement, const std::string& root);

// Paths are Windows' own, with backslashes, where the cases write them with '/'.
#ifdef _WIN32
inline constexpr bool kWindowsPaths = true;
#else
inline constexpr bool kWindowsPaths = false;
#endif

// The word with each "$" (with `slashAfterMark`, each "$/" only) standing for `root`. The cases
// write the paths below it with '/'; on Windows each '/' after the first mark is made '\', the form
// Windows gives paths in.
std::string PathsBelow(const std::string& word, const std::string& root, bool slashAfterMark);

// Statements about files, for the runners whose cases make and check them (words as WordsBelow
// gives them); true when the statement was one of these.
//   file PATH TEXT...    a file holding the texts joined    folder PATH           a folder
//   remove PATH          the file or folder goes            move FROM TO          renamed
//   link PATH TARGET     a symbolic link                    mode PATH OCTAL       permission bits set
//   time PATH SECONDS    the file's modification time       has PATH TEXT...      the file holds the texts
//   gone PATH            nothing is there                   islink PATH TARGET    a link to the target
//   hasmode PATH OCTAL   the file's permission bits         tree FOLDER NAME...   all FOLDER holds, by
//   fifo PATH            a FIFO                                                   paths relative to it
//   hardlink PATH FILE   a second name of the file          truncate PATH N       the file cut (or grown) to N bytes
bool RunFileStatement(const std::vector<std::string>& words);
