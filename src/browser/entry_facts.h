// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace kivo::browser {

// What the details view shows of one line beside its name. A file's size, time and title come from
// the title scan, which fills them in after the list is shown; its starts and star from the game
// records, known at once.
struct EntryFacts {
  std::int64_t size = -1;  // -1 until the file has been looked at
  std::string title;
  std::string region;
  std::int64_t lastStart = 0;  // seconds since 1970; 0 when never started
  std::int64_t starts = 0;
  bool favourite = false;
};

}  // namespace kivo::browser
