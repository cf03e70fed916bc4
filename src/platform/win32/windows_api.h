// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

// <windows.h> for the Windows side of the platform layer, included through here only: it defines
// DeleteFile, MoveFile and CreateDirectory as macros for their A/W variants, which would rename
// kivo::platform's functions of those names in every file that sees them.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef CreateDirectory
#undef DeleteFile
#undef MoveFile
