// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// GIF hostile samples: the most memory that reading and showing each costs, against its size. The
// samples are files a few bytes to two megabytes long that an unbounded reader would pay hundreds of
// megabytes for; each goes through the preview's own path (TGIFGraphic: decoded, composed, and when
// animated, played to its end by its painter).
//
// Each sample runs in a child process of its own whose heap maps every large block apart and hands
// freed pages back, so the resident peak that the system records is what the sample held; the
// benchmark's own heap, which the timed figures run on, is left as it was. Reported as one line,
// the worst sample's peak against its size, after a line per sample.

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>

#include "gif/ui/gif_graphic.h"
#include "gif_hostile_samples.h"
#include "gif_inputs.h"
#include "harness.h"
#include "memory_figure.h"
#include "probes/peak_memory.h"
#include "support/temp_dir.h"

using namespace kivo::gif;

namespace {

// In the child: what the preview's path costs for these bytes, and the error it ended with.
std::string ShowAndMeasure(const std::string& bytes, size_t& peak) {
  mallopt(M_MMAP_THRESHOLD, 64 << 10);
  malloc_trim(0);
  const size_t before = ResetPeakMemory();
  std::string error;
  try {
    TGIFGraphic gif(bytes);
    if (gif.Animated()) {
      QImage target(16, 16, QImage::Format_ARGB32_Premultiplied);
      QPainter painter(&target);
      gif.Draw(painter);
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
      while (gif.Animating() && std::chrono::steady_clock::now() < deadline) QThread::msleep(5);
    }
  } catch (const std::exception& e) {
    error = e.what();
  }
  peak = PeakMemoryAbove(before);
  return error;
}

struct Measured {
  size_t peak = 0;
  std::string error;
};

Measured MeasureInChild(const std::string& bytes) {
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  const pid_t pid = fork();
  if (pid < 0) std::abort();
  if (pid == 0) {
    close(fds[0]);
    size_t peak = 0;
    const std::string error = ShowAndMeasure(bytes, peak);
    const std::string report = std::to_string(peak) + " " + error;
    if (write(fds[1], report.data(), report.size()) != static_cast<ssize_t>(report.size())) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  std::string report;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.empty()) std::abort();
  Measured measured;
  const size_t space = report.find(' ');
  measured.peak = std::stoull(report.substr(0, space));
  measured.error = report.substr(space + 1);
  return measured;
}

double Megabytes(size_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

void HostileSamples(benchmark::State& state) {
  const std::vector<gif_hostile::Sample> samples = gif_hostile::Samples();
  size_t worstPeak = 0;
  size_t worstSize = 0;
  for (auto _ : state) {
    for (const gif_hostile::Sample& sample : samples) {
      const Measured measured = MeasureInChild(sample.bytes);
      std::printf("  GIF hostile sample, %s: %zu bytes, peak %.1f MB%s%s\n", sample.name.c_str(), sample.bytes.size(),
                  Megabytes(measured.peak), measured.error.empty() ? "" : ", ", measured.error.c_str());
      if (measured.peak >= worstPeak) {
        worstPeak = measured.peak;
        worstSize = sample.bytes.size();
      }
    }
  }
  char label[160];
  std::snprintf(label, sizeof label, "GIF hostile samples: peak %.1f MB for %zu bytes of input (worst of %zu)",
                Megabytes(worstPeak), worstSize, samples.size());
  state.SetLabel(label);
  state.counters["peak_MB"] = Megabytes(worstPeak);
  state.counters["input_bytes"] = static_cast<double>(worstSize);
}

// The largest picture the timed figures decode, KIVO's way against giflib's, each in a probe
// process of its own (probes/) that has read the file before its peak is reset. Both hold the
// picture's pixels; KIVO also holds one gathered copy of the compressed data while it decodes, which
// is what lets it decode at half giflib's time, so its bar is the pixels plus that copy.
void LargePictureMemory(benchmark::State& state, const char* decoder) {
  TempDir work;
  const std::string path = work / "large.gif";
  WriteBenchFile(path, LargePicture());
  ReportProbedMemory(state, "kivo_gif_memory_probe", {decoder, path});
}

KIVO_FIGURE(
    "gif_large_memory", "peak memory of the 2400 x 2000 GIF decoded", 1.7,
    [](benchmark::State& s) { LargePictureMemory(s, "kivo"); },
    [](benchmark::State& s) { LargePictureMemory(s, "giflib"); }, 1.0, Measure::kBytes);

// Registered ahead of the timed figures, so its children are forked from a process that has not
// started any thread yet.
BENCHMARK(HostileSamples)->Name("gif_hostile_memory")->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
