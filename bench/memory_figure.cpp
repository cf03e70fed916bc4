// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "memory_figure.h"

#include <fstream>

#include "harness.h"
#include "platform/dirs.h"
#include "platform/run_and_wait.h"
#include "support/temp_dir.h"

void ReportProbedMemory(benchmark::State& state, const char* probe, std::vector<std::string> arguments) {
  TempDir work;
  const std::string output = work / "peak";
  arguments.insert(arguments.begin(), kivo::platform::ExecutableDir() + "/" + probe);
  arguments.push_back(output);
  double bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    if (kivo::platform::RunProgramAndWait(arguments, "") == 0) std::ifstream(output) >> bytes;
  }
  if (bytes <= 0) state.SkipWithError("the memory probe gave no figure");
  state.counters[kBytesCounter] = bytes;
}
