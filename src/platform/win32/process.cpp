// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/process.h"

#include <string>
#include <vector>

#include "platform/dirs.h"
#include "platform/files.h"
#include "platform/win32/child_process.h"
#include "platform/win32/file_io.h"
#include "platform/win32/wide.h"
#include "platform/win32/win_path.h"

#include <shellapi.h>

namespace kivo::platform {
namespace {

// What FindProgramOnPath tries when PATHEXT is not set: the kinds of file StartDetached can run.
constexpr const char* kDefaultExtensions = ".COM;.EXE;.BAT;.CMD";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

StartedOutput startedOutput = StartedOutput::kInherited;

// The handles a started program gets for its standard streams, kept open until it has started.
// Discarded: the null device for all three. Inherited: this process's output and error, when it
// has them (a console program's, or redirected ones); a window has none, and the program then gets
// a console of its own, as it always did.
struct StandardStreams {
  win32::Handle input, output, error;

  bool Prepare(StartedOutput where) {
    if (where == StartedOutput::kDiscarded) {
      input = win32::NullDevice();
      return input.IsValid();
    }
    output = win32::InheritableCopy(::GetStdHandle(STD_OUTPUT_HANDLE));
    error = win32::InheritableCopy(::GetStdHandle(STD_ERROR_HANDLE));
    if (output.IsValid() || error.IsValid()) input = win32::NullDevice();
    return true;
  }
  void Give(win32::ChildStart& start) const {
    start.standardInput = input.IsValid() ? input.Get() : nullptr;
    start.standardOutput = output.IsValid() ? output.Get() : start.standardInput;
    start.standardError = error.IsValid() ? error.Get() : start.standardInput;
  }
};

// The next ';'-separated entry of a list, its surrounding quotes dropped (PATH may quote a folder).
std::string NextEntry(std::string_view& list) {
  const size_t semicolon = list.find(';');
  std::string_view entry = list.substr(0, semicolon);
  list.remove_prefix(semicolon == std::string_view::npos ? list.size() : semicolon + 1);
  if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"') entry = entry.substr(1, entry.size() - 2);
  return std::string(entry);
}

// The names a program can be found under: the name itself when its extension is one PATHEXT lists,
// else the name with each listed extension that CreateProcessW or the interpreter runs.
std::vector<std::string> ProgramNames(const std::string& name) {
  const std::optional<std::string> pathext = EnvironmentVariable("PATHEXT");
  std::string_view list = kDefaultExtensions;
  if (pathext && !pathext->empty()) list = *pathext;
  const std::wstring wideName = win32::Utf8ToWide(name);
  std::vector<std::string> names;
  while (!list.empty()) {
    const std::string extension = NextEntry(list);
    const std::wstring wide = win32::Utf8ToWide(extension);
    const bool runnable = win32::EqualsNoCase(wide, L".exe") || win32::EqualsNoCase(wide, L".com") ||
                          win32::EqualsNoCase(wide, L".bat") || win32::EqualsNoCase(wide, L".cmd");
    if (!runnable) continue;
    if (wideName.size() > wide.size() && win32::EqualsNoCase(wideName.substr(wideName.size() - wide.size()), wide))
      return {name};
    names.push_back(name + extension);
  }
  return names;
}

// The arguments after the program, split as the program's C library splits its command line.
std::vector<std::string> SplitArguments(std::string_view rest) {
  std::vector<std::string> words;
  int count = 0;
  // A stand-in program name first: the first word is read by rules of its own.
  LPWSTR* split = ::CommandLineToArgvW((L"x " + win32::Utf8ToWide(rest)).c_str(), &count);
  if (split == nullptr) return words;
  for (int i = 1; i < count; ++i) words.push_back(win32::WideToUtf8(split[i]));
  ::LocalFree(split);
  return words;
}

// The program a command line starts with, as CreateProcessW finds it: up to the closing quote when
// it starts with one, else the shortest prefix ending at a blank that names a file, with ".exe"
// added to a prefix without an extension. `rest` is set to where the arguments start.
std::string ProgramOf(std::string_view line, size_t& rest) {
  if (!line.empty() && line.front() == '"') {
    const size_t close = line.find('"', 1);
    std::string program(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    rest = close == std::string_view::npos ? line.size() : close + 1;
    return FileExists(program) ? program : std::string();
  }
  for (size_t end = 1; end <= line.size(); ++end) {
    if (end < line.size() && !IsBlank(line[end])) continue;
    std::string candidate(line.substr(0, end));
    const std::string name = win32::WideToUtf8(win32::NameOf(win32::WidePath(candidate)));
    if (!FileExists(candidate) && name.find('.') == std::string::npos) candidate += ".exe";
    if (FileExists(candidate)) {
      rest = end;
      return candidate;
    }
  }
  return {};
}

StartFailure FailureOf(DWORD error) {
  switch (error) {
    case ERROR_DIRECTORY:
      return {StartFailure::Step::kFolder, static_cast<int>(error)};
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_NO_SYSTEM_RESOURCES:
    case ERROR_COMMITMENT_LIMIT:
      return {StartFailure::Step::kProcess, static_cast<int>(error)};
    default:
      return {StartFailure::Step::kProgram, static_cast<int>(error)};
  }
}

// A program started from within a job (a terminal's, a scheduler's) would end with the job: it
// leaves the job when the job allows that.
DWORD BreakawayFlag() {
  BOOL inJob = FALSE;
  if (!::IsProcessInJob(::GetCurrentProcess(), nullptr, &inJob) || !inJob) return 0;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  if (!::QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &limits, sizeof limits, nullptr))
    return 0;
  return (limits.BasicLimitInformation.LimitFlags & JOB_OBJECT_LIMIT_BREAKAWAY_OK) != 0 ? CREATE_BREAKAWAY_FROM_JOB : 0;
}

// Starts the program detached: nothing of ours is inherited but its standard streams (see
// StandardStreams), its console (a console program gets a hidden one of its own) and process group
// are its own, and it is not waited for; the handles to it are closed at once, so nothing of it
// stays with this process.
StartFailure SpawnDetached(const std::vector<std::string>& argv, const std::string& workingFolder, bool highPriority) {
  win32::ChildStart start;
  if (!win32::PrepareStart(argv, workingFolder, start))
    return {StartFailure::Step::kProgram, static_cast<int>(::GetLastError())};
  StandardStreams streams;
  if (!streams.Prepare(startedOutput)) return {StartFailure::Step::kProcess, static_cast<int>(::GetLastError())};
  streams.Give(start);
  start.flags = CREATE_NO_WINDOW | CREATE_NEW_PROCESS_GROUP | BreakawayFlag() |
                (highPriority ? HIGH_PRIORITY_CLASS : NORMAL_PRIORITY_CLASS);
  PROCESS_INFORMATION started{};
  if (const DWORD error = win32::StartChild(start, started); error != 0) return FailureOf(error);
  // Windows honours the creation flag; Wine ignores it, but not this. Refused, it stays normal.
  if (highPriority) ::SetPriorityClass(started.hProcess, HIGH_PRIORITY_CLASS);
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  return {};
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  size_t start = 0;
  while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
  size_t rest = 0;
  std::string program = ProgramOf(commandLine.substr(start), rest);
  if (program.empty()) return {};
  std::vector<std::string> parts{std::move(program)};
  for (std::string& word : SplitArguments(commandLine.substr(start + rest))) parts.push_back(std::move(word));
  return parts;
}

bool StartDetached(std::vector<std::string> argv, const std::string& workingFolder, bool highPriority,
                   StartFailure* failure) {
  StartFailure outcome{StartFailure::Step::kProgram, ERROR_FILE_NOT_FOUND};
  if (!argv.empty() && !argv[0].empty()) outcome = SpawnDetached(argv, workingFolder, highPriority);
  if (failure != nullptr) *failure = outcome;
  return outcome.step == StartFailure::Step::kNone;
}

void SetStartedOutput(StartedOutput output) { startedOutput = output; }

std::string FindProgramOnPath(const std::string& name) {
  if (name.empty() || name.find_first_of("/\\:") != std::string::npos) return {};
  const std::optional<std::string> path = EnvironmentVariable("PATH");
  std::string_view folders = path ? std::string_view(*path) : std::string_view();
  const std::vector<std::string> names = ProgramNames(name);
  // Empty entries are skipped, and the current folder is not searched: only what PATH names.
  while (!folders.empty()) {
    const std::string folder = NextEntry(folders);
    if (folder.empty()) continue;
    for (const std::string& candidate : names) {
      std::string full = win32::WideToUtf8(win32::JoinPath(win32::WidePath(folder), win32::Utf8ToWide(candidate)));
      if (FileExists(full)) return full;
    }
  }
  return {};
}

// The interpreter runs one command line: the batch lines become its commands, joined by "&" with
// no blank around it (a blank before it would end an echo's text), so they run one after another
// whatever each gives, as the batch file runs them. A batch file's "%%" stays doubled on a command
// line, which KIVO's batch files (a command and the emulator's line) do not hold.
static std::string BatchScript(std::string_view batchBytes) {
  std::string script;
  for (std::string_view line : BatchLines(batchBytes)) {
    if (line.front() == '@') line.remove_prefix(1);
    if (line.empty()) continue;
    if (!script.empty()) script += '&';
    script.append(line);
  }
  return script;
}

// The interpreter reads the lines from its command line rather than from the file: it would run a
// file whose lines end in a lone CR (as DOS batch files may) as one line. It has no $0 to name the
// file by; its messages name the commands.
std::vector<std::string> BatchCommand(std::string_view batchBytes, const std::string&) {
  return {win32::CommandInterpreter(), "/d", "/v:off", "/s", "/c", BatchScript(batchBytes)};
}

}  // namespace kivo::platform
