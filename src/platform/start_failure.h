// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/process.h"

namespace kivo::platform {

// Why the system refused to start `program` in `workingFolder`, in words a user can act on: the
// error the system gave, read together with what the program's file holds. A 32-bit x86 program
// on a system that runs none, a file without execute permission, a loader or script interpreter
// that is missing, a file that is no program at all, or a program for another processor are each
// named, with what helps; any other error is given as the system words it. Starts with a lower-case
// letter, to follow "could not be started: <program>: ". On Windows the reasons are that system's:
// a missing file or folder, a denied access, a file that is no Windows program (a DOS or 16-bit
// one among them), a 32-bit program where none runs.
std::string DescribeStartFailure(const std::string& program, const std::string& workingFolder,
                                 const StartFailure& failure);

}  // namespace kivo::platform
