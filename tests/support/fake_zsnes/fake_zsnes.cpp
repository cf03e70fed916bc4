// A stand-in for the emulator in window tests. It appends one record of how it was started to
// "fake_zsnes.log" in its working folder: the program path, every argument, the working folder and
// its nice value, one per line, then a line "--". With "sleep" as its last argument it stays alive
// for a few seconds, so a test can start a second one while the first still runs.
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
  if (argc > 1 && std::strcmp(argv[argc - 1], "sleep") == 0) sleep(3);
  return 0;
}
