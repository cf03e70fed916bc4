// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/ini_document.h"
#include "browser/list_entries.h"
#include "browser/list_entry.h"
#include "browser/list_order.h"
#include "common/rom_filter.h"

namespace kivo::browser {

// The extensions the list shows, and the test of a name against them (common/rom_filter.h).
using common::kRomFilter;
using common::MatchesRomFilter;

// The entries of the list for `folder`: the drive roots, then every sub-folder ("." and ".."
// included), then the ROM images and archives, each file marked when section "Configs" of the
// settings holds its caption as true. Sorted with ListEntryLess.
ListEntries ScanFolder(const std::vector<std::string>& driveRoots, const std::string& folder,
                       const app::IniDocument& settings);

}  // namespace kivo::browser
