// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<Figure>& Figures() {
  static std::vector<Figure> figures;
  return figures;
}

// Collects the mean real time per iteration of every run, and the bytes a run reports, by
// benchmark name.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;
  std::map<std::string, double> bytes;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // A side that failed has no measure: its figure is left out of the table, not shown as met.
      if (run.iterations <= 0 || run.run_type == Run::RT_Aggregate || run.error_occurred) continue;
      // By the name it was registered with, without the run's settings ("/iterations:1").
      const std::string& name = run.run_name.function_name;
      // Every figure is registered in milliseconds.
      seconds[name] = run.GetAdjustedRealTime() * 1e-3;
      if (auto counter = run.counters.find(kBytesCounter); counter != run.counters.end()) bytes[name] = counter->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

std::string FormatTime(double seconds) {
  char text[32];
  if (seconds >= 1.0) {
    std::snprintf(text, sizeof text, "%.2f s", seconds);
  } else if (seconds >= 1e-3) {
    std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
  }
  return text;
}

std::string FormatBytes(double bytes) {
  char text[32];
  if (bytes >= 1 << 20) {
    std::snprintf(text, sizeof text, "%.2f MB", bytes / (1 << 20));
  } else {
    std::snprintf(text, sizeof text, "%.1f KB", bytes / (1 << 10));
  }
  return text;
}

}  // namespace

void WriteBenchFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr && std::fclose(file) != 0) written = false;
  if (!written) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

bool RegisterFigure(Figure figure) {
  Figures().push_back(std::move(figure));
  return true;
}

namespace {

// The benchmarks of a figure, by the suffix of their names: anchor first, then KIVO, alternating
// figure by figure so both see the same machine state; a figure of growth times each side's smaller
// input just before its larger one.
std::vector<std::pair<std::string, std::function<void(benchmark::State&)>>> SidesOf(const Figure& figure) {
  if (figure.measure != Measure::kGrowth) return {{"/anchor", figure.anchor}, {"/kivo", figure.kivo}};
  return {{"/anchor_small", figure.anchorSmall},
          {"/anchor", figure.anchor},
          {"/kivo_small", figure.kivoSmall},
          {"/kivo", figure.kivo}};
}

// A side's measure as the table shows it; nothing when a benchmark of it did not run (a filter
// left it out).
std::optional<double> SideMeasure(const Figure& figure, const CollectingReporter& reporter, const std::string& side) {
  const std::map<std::string, double>& values = figure.measure == Measure::kBytes ? reporter.bytes : reporter.seconds;
  auto large = values.find(figure.name + "/" + side);
  if (large == values.end()) return std::nullopt;
  if (figure.measure != Measure::kGrowth) return large->second;
  auto small = values.find(figure.name + "/" + side + "_small");
  if (small == values.end() || small->second <= 0) return std::nullopt;
  return large->second / (small->second * figure.sizeRatio);
}

std::string FormatMeasure(Measure measure, double value) {
  if (measure == Measure::kBytes) return FormatBytes(value);
  if (measure == Measure::kTime || measure == Measure::kSpan) return FormatTime(value);
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  for (const Figure& figure : Figures()) {
    for (const auto& [side, run] : SidesOf(figure)) {
      auto* registered = benchmark::RegisterBenchmark((figure.name + side).c_str(), run);
      registered->Unit(benchmark::kMillisecond);
      // A measure of memory is the same on every run, and each run may take a process of its own.
      if (figure.measure == Measure::kBytes) registered->Iterations(1);
      if (figure.measure == Measure::kSpan) registered->UseManualTime();
      if (figure.minSeconds > 0) registered->MinTime(figure.minSeconds);
    }
  }
  benchmark::Initialize(&argc, argv);
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n%-58s %12s %12s %7s %6s  %s\n", "figure", "KIVO", "anchor", "ratio", "bar", "met");
  for (const Figure& figure : Figures()) {
    const std::optional<double> kivo = SideMeasure(figure, reporter, "kivo");
    std::optional<double> anchor = SideMeasure(figure, reporter, "anchor");
    if (!kivo || !anchor) continue;
    *anchor *= figure.anchorScale;
    const double ratio = *anchor > 0 ? *kivo / *anchor : 0;
    std::printf("%-58s %12s %12s %7.2f %6.2f  %s\n", figure.title.c_str(), FormatMeasure(figure.measure, *kivo).c_str(),
                FormatMeasure(figure.measure, *anchor).c_str(), ratio, figure.bar, ratio <= figure.bar ? "yes" : "NO");
  }
  return 0;
}
