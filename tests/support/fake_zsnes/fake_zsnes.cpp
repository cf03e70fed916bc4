// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A stand-in for the emulator in the tests that start one. It appends one record of how it was
// started to "fake_zsnes.log" in its working folder: the program path, every argument, the working
// folder, its priority (the nice value on POSIX systems, the priority class on Windows) and its
// process id, one per line, then a line "--". It then stays alive for as long as a file
// "fake_zsnes.stay" is in its working folder, so a test can see it still running after a second
// start (a front-end's command line always ends with its own switches, so the marker holds it, not
// an argument).
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

#ifdef _WIN32
// The command line's arguments came in the process's code page, which the manifest makes UTF-8.
bool WorkingFolder(char* buffer, DWORD size) {
  wchar_t wide[MAX_PATH] = {};
  const DWORD n = ::GetCurrentDirectoryW(MAX_PATH, wide);
  return n > 0 && n < MAX_PATH &&
         ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, buffer, static_cast<int>(size), nullptr, nullptr) > 0;
}
void PrintPriority(FILE* log) {
  std::fprintf(log, "priority=%lu\npid=%lu\n", ::GetPriorityClass(::GetCurrentProcess()), ::GetCurrentProcessId());
}
bool Staying() { return ::GetFileAttributesW(L"fake_zsnes.stay") != INVALID_FILE_ATTRIBUTES; }
void Nap() { ::Sleep(10); }
#else
bool WorkingFolder(char* buffer, size_t size) { return getcwd(buffer, size) != nullptr; }
void PrintPriority(FILE* log) {
  std::fprintf(log, "nice=%d\npid=%d\n", getpriority(PRIO_PROCESS, 0), static_cast<int>(getpid()));
}
bool Staying() { return access("fake_zsnes.stay", F_OK) == 0; }
void Nap() { usleep(10000); }
#endif

}  // namespace

int main(int argc, char** argv) {
  char cwd[PATH_MAX * 4] = {};
  if (!WorkingFolder(cwd, sizeof cwd)) std::strcpy(cwd, "?");
  FILE* log = std::fopen("fake_zsnes.log", "ab");
  if (log == nullptr) return 1;
  std::fprintf(log, "program=%s\n", argv[0]);
  for (int i = 1; i < argc; ++i) std::fprintf(log, "arg=%s\n", argv[i]);
  std::fprintf(log, "cwd=%s\n", cwd);
  PrintPriority(log);
  std::fprintf(log, "--\n");
  std::fclose(log);
  // A test that forgets to remove the marker does not leave the fake running for ever.
  for (int waited = 0; waited < 60000 && Staying(); waited += 10) Nap();
  return 0;
}
