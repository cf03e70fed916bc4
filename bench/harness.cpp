// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
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
      if (run.iterations <= 0 || run.run_type == Run::RT_Aggregate) continue;
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

int main(int argc, char** argv) {
  for (const Figure& figure : Figures()) {
    // Anchor first, then KIVO, alternating figure by figure so both see the same machine state.
    for (const char* side : {"/anchor", "/kivo"}) {
      auto* run =
          benchmark::RegisterBenchmark((figure.name + side).c_str(), side[1] == 'a' ? figure.anchor : figure.kivo);
      run->Unit(benchmark::kMillisecond);
      // A measure of memory is the same on every run, and each run may take a process of its own.
      if (figure.measure == Measure::kBytes) run->Iterations(1);
    }
  }
  benchmark::Initialize(&argc, argv);
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n%-58s %12s %12s %7s %6s  %s\n", "figure", "KIVO", "anchor", "ratio", "bar", "met");
  int missed = 0;
  for (const Figure& figure : Figures()) {
    const bool inBytes = figure.measure == Measure::kBytes;
    const std::map<std::string, double>& values = inBytes ? reporter.bytes : reporter.seconds;
    auto k = values.find(figure.name + "/kivo");
    auto a = values.find(figure.name + "/anchor");
    if (k == values.end() || a == values.end()) continue;
    const double anchor = a->second * figure.anchorScale;
    double ratio = anchor > 0 ? k->second / anchor : 0;
    bool met = ratio <= figure.bar;
    missed += met ? 0 : 1;
    auto format = inBytes ? FormatBytes : FormatTime;
    std::printf("%-58s %12s %12s %7.2f %6.2f  %s\n", figure.title.c_str(), format(k->second).c_str(),
                format(anchor).c_str(), ratio, figure.bar, met ? "yes" : "NO");
  }
  return 0;
}
