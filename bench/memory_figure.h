// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// Runs a memory probe built beside the benchmark (bench/probes/) with these arguments and a file
// for its answer, and reports the peak bytes it gives as the side's measure of a Measure::kBytes
// figure. A probe that fails ends the side with an error instead of a figure.
void ReportProbedMemory(benchmark::State& state, const char* probe, std::vector<std::string> arguments);
