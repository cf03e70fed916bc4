// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/console.h"

namespace kivo::platform {

// POSIX streams have no text mode: nothing to do.
void UseBinaryStandardStreams() {}

}  // namespace kivo::platform
