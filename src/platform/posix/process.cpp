// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "platform/process.h"

namespace kivo::platform {
namespace {

// The nice value asked for a high-priority start, about what a Windows high priority class gives
// relative to normal programs.
constexpr int kHighPriorityNice = -10;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

StartedOutput startedOutput = StartedOutput::kInherited;

// What the started child tells the parent through the pipe when a step fails before the program
// runs: the step and the errno.
struct ChildReport {
  StartFailure::Step step;
  int error;
};

[[noreturn]] void FailChild(int reportFd, StartFailure::Step step, int error) {
  // The parent reads the report; a short write only makes the start count as failed anyway.
  const ChildReport report{step, error};
  ssize_t ignored = ::write(reportFd, &report, sizeof report);
  (void)ignored;
  ::_exit(127);
}

// Runs in the started child between fork and exec: only async-signal-safe calls, since the parent
// may have other threads holding locks.
// Makes `fd` a copy of `from` that stays open across exec. (A descriptor copied onto itself keeps its
// close-on-exec flag: the parent's standard output may have been closed, and the null device opened
// in its place.)
bool KeepAcrossExec(int from, int fd) { return from == fd ? ::fcntl(fd, F_SETFD, 0) == 0 : ::dup2(from, fd) == fd; }

// `nullFd`, when not -1, becomes the child's standard output and error.
[[noreturn]] void ExecChild(const char* program, char* const* argv, const char* folder, bool highPriority, int reportFd,
                            int nullFd) {
  ::setsid();
  if (nullFd >= 0 && (!KeepAcrossExec(nullFd, STDOUT_FILENO) || !KeepAcrossExec(nullFd, STDERR_FILENO))) {
    FailChild(reportFd, StartFailure::Step::kProcess, errno);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  // An ignored signal stays ignored across exec; the emulator gets the defaults instead.
  struct sigaction defaults {};
  defaults.sa_handler = SIG_DFL;
  for (int sig = 1; sig < NSIG; ++sig) ::sigaction(sig, &defaults, nullptr);

  if (folder != nullptr && ::chdir(folder) != 0) FailChild(reportFd, StartFailure::Step::kFolder, errno);
  if (highPriority) {
    // Raise as far as the system allows, up to the high-priority value; refused means normal.
    int current = ::getpriority(PRIO_PROCESS, 0);
    for (int nice = kHighPriorityNice; nice < current; ++nice) {
      if (::setpriority(PRIO_PROCESS, 0, nice) == 0) break;
    }
  }
  // The front-end's own files and sockets are not the emulator's business.
  if (reportFd > 3) ::close_range(3, static_cast<unsigned>(reportFd) - 1, 0);
  ::close_range(static_cast<unsigned>(reportFd) + 1, ~0U, 0);
  ::execv(program, argv);
  FailChild(reportFd, StartFailure::Step::kProgram, errno);
}

// Starts args[0] with the arguments, detached through a double fork: the intermediate child exits at
// once and is reaped here, so the program is adopted by init and never becomes our zombie. A
// close-on-exec pipe tells whether the exec itself succeeded, and if not, why.
StartFailure SpawnDetached(const std::vector<std::string>& args, const std::string& workingFolder, bool highPriority) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();

  // Opened here, where any call may be made; the child only puts it in place. Close-on-exec, so
  // only the copies made in the child reach the program.
  int nullFd = -1;
  if (startedOutput == StartedOutput::kDiscarded) {
    nullFd = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nullFd < 0) return {StartFailure::Step::kProcess, errno};
  }
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    const int error = errno;
    if (nullFd >= 0) ::close(nullFd);
    return {StartFailure::Step::kProcess, error};
  }
  pid_t middle = ::fork();
  if (middle < 0) {
    const int error = errno;
    ::close(report[0]);
    ::close(report[1]);
    if (nullFd >= 0) ::close(nullFd);
    return {StartFailure::Step::kProcess, error};
  }
  if (middle == 0) {
    ::close(report[0]);
    pid_t child = ::fork();
    if (child < 0) FailChild(report[1], StartFailure::Step::kProcess, errno);
    if (child > 0) ::_exit(0);
    ExecChild(argv[0], argv.data(), folder, highPriority, report[1], nullFd);
  }

  ::close(report[1]);
  if (nullFd >= 0) ::close(nullFd);
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  ChildReport childReport{StartFailure::Step::kNone, 0};
  ssize_t n;
  while ((n = ::read(report[0], &childReport, sizeof childReport)) < 0 && errno == EINTR) {
  }
  const int readError = errno;
  ::close(report[0]);
  if (n == static_cast<ssize_t>(sizeof childReport)) return {childReport.step, childReport.error};
  if (n != 0) return {StartFailure::Step::kProcess, n < 0 ? readError : EIO};
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {StartFailure::Step::kProcess, ECHILD};
  return {};
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  size_t start = 0;
  while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
  std::vector<std::string> parts;
  size_t rest = std::string_view::npos;
  for (size_t end = start + 1; end <= commandLine.size(); ++end) {
    if (end < commandLine.size() && !IsBlank(commandLine[end])) continue;
    std::string candidate(commandLine.substr(start, end - start));
    if (FileExists(candidate)) {
      parts.push_back(std::move(candidate));
      rest = end;
      break;
    }
  }
  if (rest == std::string_view::npos) return {};
  std::string word;
  for (size_t i = rest; i <= commandLine.size(); ++i) {
    if (i < commandLine.size() && !IsBlank(commandLine[i])) {
      word += commandLine[i];
    } else if (!word.empty()) {
      parts.push_back(std::move(word));
      word.clear();
    }
  }
  return parts;
}

bool StartDetached(std::vector<std::string> argv, const std::string& workingFolder, bool highPriority,
                   StartFailure* failure) {
  StartFailure outcome{StartFailure::Step::kProgram, ENOENT};
  if (!argv.empty() && !argv[0].empty()) {
    // The program was named relative to our current folder; the child changes folder before exec.
    if (argv[0].front() != '/') argv[0] = common::AddBackslash(GetCurrentDir()) + argv[0];
    outcome = SpawnDetached(argv, workingFolder, highPriority);
  }
  if (failure != nullptr) *failure = outcome;
  return outcome.step == StartFailure::Step::kNone;
}

void SetStartedOutput(StartedOutput output) { startedOutput = output; }

std::string FindProgramOnPath(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return {};
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    size_t colon = folders.find(':');
    std::string_view folder = folders.substr(0, colon);
    // An empty entry means the current folder, as the shell reads PATH.
    std::string candidate = common::AddBackslash(folder.empty() ? std::string_view(".") : folder) + name;
    if (FileExists(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) return {};
    folders.remove_prefix(colon + 1);
  }
}

// The batch file's lines as one script of the shell, a line each.
static std::string BatchScript(std::string_view batchBytes) {
  std::string script;
  for (std::string_view line : BatchLines(batchBytes)) {
    if (line.front() == '@') line.remove_prefix(1);
    if (line.empty()) continue;
    script.append(line);
    script += '\n';
  }
  return script;
}

std::vector<std::string> BatchCommand(std::string_view batchBytes, const std::string& batchPath) {
  return {"/bin/sh", "-c", BatchScript(batchBytes), batchPath};
}

}  // namespace kivo::platform
