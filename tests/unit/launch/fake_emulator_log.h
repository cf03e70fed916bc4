// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "support/fake_zsnes_log.h"

// Makes `folder` an emulator folder: creates it and links `program` ("ZSNES.EXE", the DOS build's
// name, or "zsnes", the native build's) to the fake emulator.
void InstallFakeZsnes(const std::string& folder, const std::string& program = "ZSNES.EXE");

// The records in the log, once `count` of them are complete. The started program runs on its own,
// so this waits for it, giving up (and failing the test) after a generous while.
std::vector<FakeStart> WaitForStarts(const std::string& folder, size_t count);
