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

// Collects the mean real time per iteration of every run, by benchmark name.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // Every figure is registered in milliseconds.
      if (run.iterations > 0) seconds[run.benchmark_name()] = run.GetAdjustedRealTime() * 1e-3;
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
    benchmark::RegisterBenchmark((figure.name + "/anchor").c_str(), figure.anchor)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((figure.name + "/kivo").c_str(), figure.kivo)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n%-58s %12s %12s %7s %6s  %s\n", "figure", "KIVO", "anchor", "ratio", "bar", "met");
  int missed = 0;
  for (const Figure& figure : Figures()) {
    auto k = reporter.seconds.find(figure.name + "/kivo");
    auto a = reporter.seconds.find(figure.name + "/anchor");
    if (k == reporter.seconds.end() || a == reporter.seconds.end()) continue;
    double ratio = a->second > 0 ? k->second / a->second : 0;
    bool met = ratio <= figure.bar;
    missed += met ? 0 : 1;
    std::printf("%-58s %12s %12s %7.2f %6.2f  %s\n", figure.title.c_str(), FormatTime(k->second).c_str(),
                FormatTime(a->second).c_str(), ratio, figure.bar, met ? "yes" : "NO");
  }
  return 0;
}
