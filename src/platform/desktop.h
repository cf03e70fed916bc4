// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

namespace kivo::platform {

// Whether the desktop has a program that opens documents and web addresses at all. On Linux and the
// BSDs the window toolkit hands them to xdg-open, and without it on PATH nothing opens and nothing
// says so. On Windows the shell always opens them.
bool HasDocumentOpener();

}  // namespace kivo::platform
