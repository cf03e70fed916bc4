// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/desktop.h"

namespace kivo::platform {

// ShellExecute opens through the file associations, which Windows always has.
bool HasDocumentOpener() { return true; }

}  // namespace kivo::platform
