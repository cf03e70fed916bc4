// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// The processes a test started through KIVO's launch, which starts them detached (not the test's
// children): found by their program and by the HOME the test gave them.

// The running processes of `program` (a path; links are followed) whose HOME is `home`: those it is
// the executable of, and emulators or interpreters running it as their first argument.
std::vector<int> ProcessesOf(const std::string& program, const std::string& home);

// Waits up to `seconds` for them to end; true when they have.
bool WaitForProcessesToEnd(const std::string& program, const std::string& home, double seconds);

// Ends them as a user closing the program would (SIGTERM), and waits; what is still there after ten
// seconds is killed.
void StopProcesses(const std::string& program, const std::string& home);
