// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// Inside the platform layer: the faults tests set through SetWriteFaultForTesting and
// SetReadFaultForTesting (files.h), asked by each system's writers and readers.
namespace kivo::platform::seams {

bool WriteFaultFor(const std::string& path);
bool ReadFaultFor(const std::string& path);
bool DeleteFaultFor(const std::string& path);

}  // namespace kivo::platform::seams
