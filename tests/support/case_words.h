// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

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

// Every *.txt file of tests/data/<folder>, in name order, as statements. Fails the running test
// when the folder holds no case or a line cannot be parsed.
std::vector<std::vector<CaseStatement>> ReadCaseStatements(const std::string& folder);

// The statement's words with every "$" standing for `root`: cases that make and check files name
// them below a folder of the test's own.
std::vector<std::string> WordsBelow(const CaseStatement& statement, const std::string& root);

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
