// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A stand-in for the emulator in the tests that start one. It appends one record of how it was
// started to "fake_zsnes.log" in its working folder: the program path, every argument, the working
// folder, its nice value and its process id, one per line, then a line "--". It then stays alive for
// as long as a file "fake_zsnes.stay" is in its working folder, so a test can see it still running
// after a second start (a front-end's command line always ends with its own switches, so the marker
// holds it, not an argument).
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  char cwd[PATH_MAX] = {};
  if (getcwd(cwd, sizeof cwd) == nullptr) std::strcpy(cwd, "?");
  FILE* log = std::fopen("fake_zsnes.log", "ab");
  if (log == nullptr) return 1;
  std::fprintf(log, "program=%s\n", argv[0]);
  for (int i = 1; i < argc; ++i) std::fprintf(log, "arg=%s\n", argv[i]);
  std::fprintf(log, "cwd=%s\nnice=%d\npid=%d\n--\n", cwd, getpriority(PRIO_PROCESS, 0), static_cast<int>(getpid()));
  std::fclose(log);
  // A test that forgets to remove the marker does not leave the fake running for ever.
  for (int waited = 0; waited < 60000 && access("fake_zsnes.stay", F_OK) == 0; waited += 10) usleep(10000);
  return 0;
}
