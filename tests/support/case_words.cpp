// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/case_words.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

// tests/data/, as the build gives it (on Windows as a path the Windows side reaches it by).
const fs::path kDataFolder = KIVO_TEST_DATA_FOLDER;

// The statements that need what only POSIX systems have: FIFOs, symbolic links (which Windows
// gives users only as administrators) and permission bits. Windows runs none of the case files that
// use one; the run names them.
const std::set<std::string> kPosixOnlyStatements = {"fifo", "link", "islink", "mode", "hasmode"};

// The words of one line; throws on a string without its closing quote or a bad escape.
Words WordsOf(const std::string& line) {
  static const std::string kFrom = "nrt0\\\"", kTo = std::string("\n\r\t\0\\\"", 6);
  Words words;
  for (size_t at = line.find_first_not_of(" \t"); at != std::string::npos; at = line.find_first_not_of(" \t", at)) {
    if (line[at] != '"') {
      const size_t end = std::min(line.find_first_of(" \t", at), line.size());
      words.push_back(line.substr(at, end - at));
      at = end;
      continue;
    }
    std::string word;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
      if (line[at] != '\\') {
        word += line[at];
      } else if (line.at(++at) == 'x') {
        word += static_cast<char>(std::stoi(line.substr(at + 1, 2), nullptr, 16));
        at += 2;
      } else if (kFrom.find(line[at]) != std::string::npos) {
        word += kTo[kFrom.find(line[at])];
      } else {
        throw std::runtime_error("unknown escape");
      }
    }
    if (at++ >= line.size()) throw std::runtime_error("string without its closing quote");
    size_t digits = 0;
    const int count = at < line.size() && line[at] == '*' ? std::stoi(line.substr(at + 1), &digits) : 1;
    at += digits == 0 ? 0 : 1 + digits;
    std::string& repeated = words.emplace_back();
    for (int i = 0; i < count; ++i) repeated += word;
  }
  return words;
}

fs::perms Mode(const std::string& octal) { return fs::perms(std::stoi(octal, nullptr, 8)); }

// A case's names are UTF-8, which std::filesystem takes as such only when told: on Windows a plain
// string would be read in the C library's own encoding.
fs::path P(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }
std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
std::string TextsOf(const Words& w) { return CaseStatement{"", w}.Joined(2); }

// Every statement of RunFileStatement, by its first word.
const std::map<std::string, std::function<void(const Words&)>> kFileStatements = {
    {"file", [](const Words& w) { WriteTestFile(w.at(1), TextsOf(w)); }},
    {"folder", [](const Words& w) { MakeTestDir(w.at(1)); }},
    {"remove", [](const Words& w) { fs::remove_all(P(w.at(1))); }},
    {"move", [](const Words& w) { fs::rename(P(w.at(1)), P(w.at(2))); }},
#ifndef _WIN32
    {"fifo", [](const Words& w) { EXPECT_EQ(::mkfifo(w.at(1).c_str(), 0644), 0) << w[1]; }},
#endif
    {"link", [](const Words& w) { fs::create_symlink(P(w.at(2)), P(w.at(1))); }},
    {"hardlink", [](const Words& w) { fs::create_hard_link(P(w.at(2)), P(w.at(1))); }},
    {"truncate", [](const Words& w) { fs::resize_file(P(w.at(1)), std::stoull(w.at(2))); }},
    {"mode", [](const Words& w) { fs::permissions(P(w.at(1)), Mode(w.at(2))); }},
    {"time",
     [](const Words& w) {
       const std::chrono::sys_seconds time{std::chrono::seconds(std::stoll(w.at(2)))};
       fs::last_write_time(P(w.at(1)), fs::file_time_type::clock::from_sys(time));
     }},
    {"has", [](const Words& w) { EXPECT_EQ(ReadTestFile(w.at(1)), TextsOf(w)) << w[1]; }},
    {"gone", [](const Words& w) { EXPECT_FALSE(fs::exists(fs::symlink_status(P(w.at(1))))) << w[1]; }},
    {"islink",
     [](const Words& w) {
       EXPECT_TRUE(fs::is_symlink(P(w.at(1))) && Utf8(fs::read_symlink(P(w[1]))) == w.at(2)) << w[1];
     }},
    {"hasmode", [](const Words& w) { EXPECT_EQ(fs::status(P(w.at(1))).permissions(), Mode(w.at(2))) << w[1]; }},
    {"tree",
     [](const Words& w) {
       std::set<std::string> found;
       for (const auto& entry : fs::recursive_directory_iterator(P(w.at(1)))) {
         // Named as the cases name them: with '/'.
         const std::u8string name = entry.path().lexically_relative(P(w[1])).generic_u8string();
         found.insert(std::string(name.begin(), name.end()));
       }
       EXPECT_EQ(found, std::set<std::string>(w.begin() + 2, w.end())) << w[1];
     }},
};

}  // namespace

std::string CaseStatement::Joined(size_t first) const {
  std::string text;
  for (size_t i = first; i < words.size(); ++i) text += words[i];
  return text;
}

std::vector<std::string> CaseFiles(const std::string& folder) {
  std::set<std::string> names;  // in name order
  for (const auto& entry : fs::directory_iterator(kDataFolder / folder)) {
    if (entry.path().extension() == ".txt") names.insert(folder + "/" + Utf8(entry.path().stem()));
  }
  if (names.empty()) throw std::runtime_error("no case files in " + Utf8(kDataFolder / folder));
  return {names.begin(), names.end()};
}

std::string CaseName(const testing::TestParamInfo<std::string>& info) {
  return info.param.substr(info.param.find('/') + 1);
}

CaseFile ReadCaseFile(const std::string& folderAndName) {
#ifdef _WIN32
  const std::string thisSystem = "windows";
#else
  const std::string thisSystem = "posix";
#endif
  const fs::path path = kDataFolder / P(folderAndName + ".txt");
  std::ifstream in(path);
  if (!in) ADD_FAILURE() << "cannot read " << Utf8(path);
  CaseFile file;
  std::string posixOnly;
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    const std::string where = Utf8(path.filename()) + ":" + std::to_string(++number);
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') continue;
    try {
      const Words words = WordsOf(text);
      if (first == 0 && words.at(0) == "only") {
        std::string why = "only on " + words.at(1) + ":";
        for (size_t i = 2; i < words.size(); ++i) why += " " + words[i];
        if (words[1] != thisSystem) file.notRunHere = why;
        continue;
      }
      if (first == 0 && kPosixOnlyStatements.count(words[0])) posixOnly = words[0];
      if (first == 0 || file.statements.empty()) file.statements.push_back({where, {}});
      file.statements.back().words.insert(file.statements.back().words.end(), words.begin(), words.end());
    } catch (const std::exception& error) {
      ADD_FAILURE() << where << ": " << error.what();
    }
  }
  if (thisSystem == "windows" && !posixOnly.empty() && file.notRunHere.empty()) {
    file.notRunHere = "\"" + posixOnly + "\" is a statement of what only POSIX systems have";
  }
  if (!file.notRunHere.empty()) file.statements.clear();
  return file;
}


std::string PathsBelow(const std::string& word, const std::string& root, bool slashAfterMark) {
  std::string below;
  bool inPath = false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] == '$' && (!slashAfterMark || word.compare(i, 2, "$/") == 0)) {
      below += root;
      inPath = true;
    } else {
      below += kWindowsPaths && inPath && word[i] == '/' ? '\\' : word[i];
    }
  }
  return below;
}

Words WordsBelow(const CaseStatement& statement, const std::string& root) {
  Words words;
  for (const std::string& word : statement.words) words.push_back(PathsBelow(word, root, false));
  return words;
}

bool RunFileStatement(const Words& words) {
  const auto statement = kFileStatements.find(words.at(0));
  if (statement == kFileStatements.end()) return false;
  statement->second(words);
  return true;
}
