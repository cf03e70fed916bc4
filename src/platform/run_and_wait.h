// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// Running another program to its end, as a tool is run (the emulator itself is started detached,
// see process.h).
namespace kivo::platform {

// Runs argv[0], looked up on PATH, with the arguments argv[1..], its standard output and error
// discarded, and waits for it to end. Its exit status, or -1 when it could not be started or did not
// end normally.
int RunProgramAndWait(const std::vector<std::string>& argv, const std::string& workingFolder);

}  // namespace kivo::platform
