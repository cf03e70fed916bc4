// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kivo::launch {

// Why KIVO would find no ZSNES to start for this ZSNES folder, in the words a launch uses ("No ZSNES
// in <folder>: neither zsnes nor ZSNES.EXE is there"); empty when the folder holds a build that
// FindEmulatorProfile recognises, or the field is empty and the system's own build is on PATH.
std::string MissingEmulatorReason(const std::string& zsnesPath);

}  // namespace kivo::launch
