// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The states the crash-consistency writer steps through. State N is a value holding N and a run of
// one letter, so a value holding parts of two states passes for neither. The file starts with a long
// section of its own, so that each state's write is a large one and a kill lands inside a write as
// often as between two.
std::string CrashStateValue(long state);
// The state a value holds; -1 when it is no state's value (0 for no value: the start).
long CrashStateOf(const std::string& value);
// kivo.ini before the first state.
std::string CrashStartFile();
// kivo.ini once state N has been written.
std::string CrashStateFile(long state);
