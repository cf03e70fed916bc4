// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// File helpers for tests, kept apart from TempDir so the benchmarks can use the folder without the
// test framework.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/temp_dir.h"

void WriteTestFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string ReadTestFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void MakeTestDir(const std::string& path) {
  std::error_code error;
  // The name is UTF-8, which std::filesystem takes as such only when told (see WriteTestFile's
  // stream, which hands it to the C library, whose code page the manifest makes UTF-8 on Windows).
  std::filesystem::create_directories(std::filesystem::path(std::u8string(path.begin(), path.end())), error);
  if (error) ADD_FAILURE() << "cannot create " << path << ": " << error.message();
}
