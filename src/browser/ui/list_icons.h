// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <array>

namespace kivo::browser {

// The picture of each kind of line (EntryKind is the index).
std::array<QIcon, 8> ListIcons();

}  // namespace kivo::browser
