// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "browser/list_entry.h"

namespace kivo::browser {

// The configuration an entry's selection puts in force: the game's caption for a game with its own,
// "Default" for every other entry. A folder or drive selected shows "Default" too: a configuration
// of its own would be a nameless section that no game reads, and what the user set there would be
// lost.
std::string ConfigurationFor(const ListEntry& entry);

}  // namespace kivo::browser
