// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// A stand-in for the DOS build of ZSNES, for the tests that run the real DOSBox: a tiny .COM program
// (DOS loads a file without the "MZ" mark as one, whatever its name, so it is installed as
// ZSNES.EXE). It writes C:\KIVOOUT.TXT holding "TAIL:" and its command tail as DOS passed it,
// "|ROM:" and the first 16 bytes of the file its first argument names (nothing when DOS cannot open
// it), "|CFG:" and the contents of C:\ZSNES.CFG, then exits.
std::string DosStandInProgram();
