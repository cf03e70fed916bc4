// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

// For the memory probes, each a process of its own that does one job and reports how far its
// resident memory rose at the peak. Linux records the peak (VmHWM) and lets a process reset it
// to the present size, so a probe can leave out what it held before the job began.

// The resident size now, with the recorded peak reset to it.
size_t ResetPeakMemory();

// How far the recorded peak has risen above `baseline`, as ResetPeakMemory gave it.
size_t PeakMemoryAbove(size_t baseline);

// Writes the figure where the benchmark reads it; false when the file cannot be written.
bool WritePeakMemory(const std::string& path, size_t bytes);
