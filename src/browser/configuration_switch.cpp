// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/configuration_switch.h"

#include "app/options.h"

namespace kivo::browser {

std::string ConfigurationFor(const ListEntry& entry) {
  switch (entry.kind) {
    case kRomFileWithConfig:
    case kZipArchiveWithConfig:
      return std::string(entry.caption);
    default:
      return std::string(app::section::Default);
  }
}

}  // namespace kivo::browser
