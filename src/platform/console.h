// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

namespace kivo::platform {

// kivo-tool's reports are the same bytes on every system, so that they can be compared and piped:
// its standard output and error write "\n" as it is. (Windows' C library would make it "\r\n".)
void UseBinaryStandardStreams();

}  // namespace kivo::platform
