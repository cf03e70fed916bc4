// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/processes.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <thread>


namespace {

// A file of /proc/PID. The process may end between the open and the read, and the read then fails
// (ESRCH), which a stream reports by throwing: a process that is gone has nothing to say.
std::string ReadProcFile(const std::string& path) {
  std::string text;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  ::close(fd);
  return n < 0 ? std::string() : text;
}

// The first argument of the process, as a full path: the program that an emulator or interpreter
// it is runs (qemu-i386 running a 32-bit program).
std::string FirstArgument(const std::string& process) {
  const std::string arguments = ReadProcFile(process + "/cmdline");
  const size_t first = arguments.find('\0');
  if (first == std::string::npos || first + 1 >= arguments.size()) return {};
  char target[PATH_MAX];
  const std::string argument = arguments.substr(first + 1, arguments.find('\0', first + 1) - first - 1);
  return ::realpath(argument.c_str(), target) != nullptr ? target : argument;
}

}  // namespace

std::vector<int> ProcessesOf(const std::string& program, const std::string& home) {
  std::vector<int> pids;
  char target[PATH_MAX];
  const std::string wanted(::realpath(program.c_str(), target) != nullptr ? target : program);
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) return pids;
  while (dirent* entry = ::readdir(proc)) {
    const std::string base = "/proc/" + std::string(entry->d_name);
    const ssize_t n = ::readlink((base + "/exe").c_str(), target, sizeof target - 1);
    if (std::atoi(entry->d_name) <= 0 || n <= 0) continue;
    if (std::string(target, static_cast<size_t>(n)) != wanted && FirstArgument(base) != wanted) continue;
    // A zombie has ended already.
    const std::string stat = ReadProcFile(base + "/stat");
    if (const size_t close = stat.rfind(')');
        close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z')
      continue;
    if (('\0' + ReadProcFile(base + "/environ")).find('\0' + ("HOME=" + home) + '\0') == std::string::npos) continue;
    pids.push_back(std::atoi(entry->d_name));
  }
  ::closedir(proc);
  return pids;
}

bool WaitForProcessesToEnd(const std::string& program, const std::string& home, double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!ProcessesOf(program, home).empty()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

void StopProcesses(const std::string& program, const std::string& home) {
  for (int pid : ProcessesOf(program, home)) ::kill(pid, SIGTERM);
  if (WaitForProcessesToEnd(program, home, 10)) return;
  for (int pid : ProcessesOf(program, home)) ::kill(pid, SIGKILL);
}
