// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path of a name inside the folder ("a/b" names b in the folder a), written with the system's
  // separator: Windows gives paths back with '\\', and a test compares with what it gives.
  std::string operator/(const std::string& name) const {
#ifdef _WIN32
    std::string below = name;
    for (char& c : below) c = c == '/' ? '\\' : c;
    return path_ + "\\" + below;
#else
    return path_ + "/" + name;
#endif
  }

 private:
  std::string path_;
};

// Small file helpers for tests; they fail the running test when the system refuses.
void WriteTestFile(const std::string& path, const std::string& bytes);
std::string ReadTestFile(const std::string& path);
void MakeTestDir(const std::string& path);
