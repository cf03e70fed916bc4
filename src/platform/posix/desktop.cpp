// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/desktop.h"

#include "platform/process.h"

namespace kivo::platform {

bool HasDocumentOpener() { return !FindProgramOnPath("xdg-open").empty(); }

}  // namespace kivo::platform
