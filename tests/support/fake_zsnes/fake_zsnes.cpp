// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A stand-in for the emulator in the tests that start one. It appends one record of how it was
// started to "fake_zsnes.log" in its working folder: the program path, every argument, the working
// folder and its nice value, one per line, then a line "--". It stays alive for as long as a file
// "fake_zsnes.stay" exists in its working folder, so a test can start a second one while the first
// still runs (a front-end's command line always ends with its own switches, so the marker holds it,
// not an argument). When the marker lets it go it appends "ended=<pid>", so a test sees the first
// emulator was still running at the second start.
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kStayMarker[] = "fake_zsnes.stay";
// A test that forgets to remove the marker does not leave the fake running for ever.
constexpr int kMaxStayMilliseconds = 60000;

bool AppendToLog(const char* text) {
  FILE* log = std::fopen("fake_zsnes.log", "ab");
  if (log == nullptr) return false;
  std::fputs(text, log);
  return std::fclose(log) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  char cwd[PATH_MAX] = {};
  if (getcwd(cwd, sizeof cwd) == nullptr) std::strcpy(cwd, "?");
  FILE* log = std::fopen("fake_zsnes.log", "ab");
  if (log == nullptr) return 1;
  std::fprintf(log, "program=%s\n", argv[0]);
  for (int i = 1; i < argc; ++i) std::fprintf(log, "arg=%s\n", argv[i]);
  std::fprintf(log, "cwd=%s\nnice=%d\npid=%d\n--\n", cwd, getpriority(PRIO_PROCESS, 0), static_cast<int>(getpid()));
  std::fclose(log);
  if (access(kStayMarker, F_OK) == 0) {
    for (int waited = 0; waited < kMaxStayMilliseconds && access(kStayMarker, F_OK) == 0; waited += 10) usleep(10000);
    char ended[32];
    std::snprintf(ended, sizeof ended, "ended=%d\n", static_cast<int>(getpid()));
    if (!AppendToLog(ended)) return 1;
  }
  return 0;
}
