// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A command line started as each system splits it.
#include <string>
#include <string_view>

#include "platform/process.h"

namespace kivo::platform {

bool StartProcess(std::string_view commandLine, const std::string& workingFolder, bool highPriority) {
  return StartDetached(SplitCommandLine(commandLine), workingFolder, highPriority);
}

}  // namespace kivo::platform
