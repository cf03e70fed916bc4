// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kivo::common {

// The text of the application's error report: the error's message, with a period appended when
// its last character's code is above that of the period itself.
std::string ErrorReportText(const std::string& message);

}  // namespace kivo::common
