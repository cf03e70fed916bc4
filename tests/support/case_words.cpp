// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/case_words.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// tests/data/ beside this file's folder: the sources are compiled by their full paths.
const fs::path kDataFolder = fs::path(__FILE__).parent_path().parent_path() / "data";

// The words of one line; throws on a string without its closing quote or a bad escape.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  for (;;) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string::npos) return words;
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
      } else if (const char c = line.at(++at); c == 'x') {
        word += static_cast<char>(std::stoi(line.substr(at + 1, 2), nullptr, 16));
        at += 2;
      } else {
        static const std::string kFrom = "nrt0\\\"", kTo = std::string("\n\r\t\0\\\"", 6);
        if (kFrom.find(c) == std::string::npos) throw std::runtime_error("unknown escape");
        word += kTo[kFrom.find(c)];
      }
    }
    if (at++ >= line.size()) throw std::runtime_error("string without its closing quote");
    if (at < line.size() && line[at] == '*') {
      size_t digits = 0;
      const int count = std::stoi(line.substr(at + 1), &digits);
      std::string repeated;
      for (int i = 0; i < count; ++i) repeated += word;
      word = std::move(repeated);
      at += 1 + digits;
    }
    words.push_back(std::move(word));
  }
}

}  // namespace

std::string CaseStatement::Joined(size_t first) const {
  std::string text;
  for (size_t i = first; i < words.size(); ++i) text += words[i];
  return text;
}

std::vector<std::vector<CaseStatement>> ReadCaseStatements(const std::string& folder) {
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(kDataFolder / folder)) {
    if (entry.path().extension() == ".txt") paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<std::vector<CaseStatement>> files;
  for (const fs::path& path : paths) {
    std::ifstream in(path);
    std::vector<CaseStatement>& statements = files.emplace_back();
    int number = 0;
    for (std::string text; std::getline(in, text);) {
      const std::string where = path.filename().string() + ":" + std::to_string(++number);
      const size_t first = text.find_first_not_of(" \t");
      if (first == std::string::npos || text[first] == '#') continue;
      try {
        std::vector<std::string> words = Words(text);
        if (first == 0) {
          statements.push_back({where, std::move(words)});
        } else if (!statements.empty()) {
          statements.back().words.insert(statements.back().words.end(), words.begin(), words.end());
        }
      } catch (const std::exception& error) {
        ADD_FAILURE() << where << ": " << error.what();
      }
    }
  }
  if (files.empty()) ADD_FAILURE() << "no case files in " << (kDataFolder / folder);
  return files;
}

std::vector<std::string> WordsBelow(const CaseStatement& statement, const std::string& root) {
  std::vector<std::string> words;
  for (const std::string& word : statement.words) {
    std::string& below = words.emplace_back();
    for (char c : word) c == '$' ? below.append(root) : below.append(1, c);
  }
  return words;
}

bool RunFileStatement(const std::vector<std::string>& w) {
  auto joined = [&w] {
    std::string text;
    for (size_t i = 2; i < w.size(); ++i) text += w[i];
    return text;
  };
  if (w[0] == "file") {
    WriteTestFile(w.at(1), joined());
  } else if (w[0] == "folder") {
    MakeTestDir(w.at(1));
  } else if (w[0] == "remove") {
    fs::remove_all(w.at(1));
  } else if (w[0] == "move") {
    fs::rename(w.at(1), w.at(2));
  } else if (w[0] == "fifo") {
    EXPECT_EQ(::mkfifo(w.at(1).c_str(), 0644), 0) << w[1];
  } else if (w[0] == "link") {
    fs::create_symlink(w.at(2), w.at(1));
  } else if (w[0] == "mode") {
    fs::permissions(w.at(1), fs::perms(std::stoi(w.at(2), nullptr, 8)));
  } else if (w[0] == "time") {
    fs::last_write_time(w.at(1), fs::file_time_type::clock::from_sys(
                                     std::chrono::system_clock::time_point(std::chrono::seconds(std::stoll(w.at(2))))));
  } else if (w[0] == "has") {
    EXPECT_EQ(ReadTestFile(w.at(1)), joined()) << w[1];
  } else if (w[0] == "gone") {
    EXPECT_FALSE(fs::exists(fs::symlink_status(w.at(1)))) << w[1];
  } else if (w[0] == "islink") {
    EXPECT_TRUE(fs::is_symlink(w.at(1)) && fs::read_symlink(w[1]) == w.at(2)) << w[1];
  } else if (w[0] == "hasmode") {
    EXPECT_EQ(fs::status(w.at(1)).permissions(), fs::perms(std::stoi(w.at(2), nullptr, 8))) << w[1];
  } else if (w[0] == "tree") {
    std::set<std::string> found;
    for (auto it = fs::recursive_directory_iterator(w.at(1)); it != fs::recursive_directory_iterator(); ++it) {
      found.insert(it->path().lexically_relative(w[1]).string());
    }
    EXPECT_EQ(found, std::set<std::string>(w.begin() + 2, w.end())) << w[1];
  } else {
    return false;
  }
  return true;
}
