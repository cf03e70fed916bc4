// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "browser/title_table.h"
#include "rom/rom_title.h"

namespace kivo::browser {

// What the list's details show of one file beside its name.
struct GameFacts {
  std::int64_t size = -1;
  std::int64_t modified = 0;
  rom::RomTitle title;
  bool operator==(const GameFacts&) const = default;
};

// For each path in order: its size and time (one look through the platform layer), the table's
// record when still valid, otherwise the header read from the file (an archive's from its first ROM
// member) and put into the table. Calls `found(index, facts)` for each path where something exists;
// stops soon after `stop` becomes true. What is no regular file (a folder, a FIFO, a device) is never
// opened and gets an empty title; so does an image that cannot be read, which is not remembered, so
// the next scan tries again. Never throws for a bad file.
void ScanTitles(const std::vector<std::string>& paths, TitleTable& table, const std::atomic<bool>& stop,
                const std::function<void(size_t index, const GameFacts& facts)>& found);

}  // namespace kivo::browser
