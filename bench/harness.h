// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

// What a figure compares.
enum class Measure {
  kTime,    // each side's mean time per iteration
  kBytes,   // the memory each side reports in the counter kBytesCounter; each side runs once
  kGrowth,  // how each side's time grows from a smaller input to a larger one (see Figure)
  // Each side's mean of the times it gives itself (state.SetIterationTime): a span that ends
  // before the iteration does, such as a program's start to its window shown, without its exit.
  kSpan,
};
inline constexpr const char* kBytesCounter = "bytes";

// A figure compares KIVO's way of doing one job with an anchor doing the nearest plain job on the
// same input, measured in the same run. The table printed at the end gives the ratio of the two
// measures and whether it meets the bar (ratio <= bar).
struct Figure {
  std::string name;   // short identifier, e.g. "settings_read"
  std::string title;  // what the table calls it
  double bar;         // largest acceptable KIVO/anchor ratio
  std::function<void(benchmark::State&)> kivo;
  std::function<void(benchmark::State&)> anchor;
  // The anchor's measure is multiplied by this before the ratio (and in the table): a figure of
  // growth sets a job on a larger input against the same job on a smaller one times the ratio of
  // the sizes.
  double anchorScale = 1.0;
  Measure measure = Measure::kTime;
  // A figure of growth times each side on a larger input (kivo, anchor) and on a smaller one (these
  // two). A side's measure, and what the table shows for it, is its time on the larger input over
  // `sizeRatio` times its time on the smaller: 1 for a job that grows in proportion to its input.
  // Against the anchor's own growth, what the machine adds for a larger input (caches that no longer
  // hold it) is taken out, and the ratio is what KIVO's way adds.
  std::function<void(benchmark::State&)> kivoSmall = {};
  std::function<void(benchmark::State&)> anchorSmall = {};
  double sizeRatio = 1.0;
  // Each side runs at least this long (in the seconds it measures); 0 leaves it to the library. A
  // figure whose iterations are whole programs, spread by the machine's moods, takes more of them.
  double minSeconds = 0;
};

// Writes a fixture file, ending the run when the system refuses: a figure on a missing input
// would mean nothing.
void WriteBenchFile(const std::string& path, const std::string& bytes);

// Registers a figure; call from a static initialiser (see KIVO_FIGURE).
bool RegisterFigure(Figure figure);

#define KIVO_FIGURE_CAT2(a, b) a##b
#define KIVO_FIGURE_CAT(a, b) KIVO_FIGURE_CAT2(a, b)
#define KIVO_FIGURE(...) static const bool KIVO_FIGURE_CAT(kivoFigure, __LINE__) = RegisterFigure(Figure{__VA_ARGS__})
