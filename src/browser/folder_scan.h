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

namespace kivo::browser {

// The extensions the list shows. An extension is listed when its lower-cased form, dot included,
// occurs anywhere in this text, so partial forms such as ".sm" or ".0" are listed too.
inline constexpr std::string_view kRomFilter = ".zip;.smc;.sfc;.fig;.078;.058;.eur;.dem;.jap;.1";

// True when a file of this name belongs in the list.
bool MatchesRomFilter(std::string_view fileName);

// The entries of the list for `folder`: the drive roots, then every sub-folder ("." and ".."
// included), then the ROM images and archives, each file marked when section "Configs" of the
// settings holds its caption as true. Sorted with ListEntryLess.
ListEntries ScanFolder(const std::vector<std::string>& driveRoots, const std::string& folder,
                       const app::IniDocument& settings);

}  // namespace kivo::browser
