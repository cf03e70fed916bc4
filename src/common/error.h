// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace kivo::common {

// The program's own error. Raised where an action cannot go on (a settings write refused, a file
// that cannot be opened or created, a damaged picture); caught only at the window's handler
// boundary, which shows it as the application's error report.
class KivoError : public std::runtime_error {
 public:
  explicit KivoError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kivo::common
