#pragma once

#include <string>

#include "browser/list_entry.h"

// The configuration an entry's selection puts in force: the empty name for drives and folders,
// "Default" for a game without its own, the game's caption for one with its own.
std::string ConfigurationFor(const ListEntry& entry);
