// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/win32/child_process.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "common/text.h"
#include "platform/dirs.h"
#include "platform/win32/wide.h"
#include "platform/win32/win_path.h"

namespace kivo::platform::win32 {
namespace {

bool IsCommandInterpreter(const std::wstring& program) {
  const std::wstring name = NameOf(program);
  return EqualsNoCase(name, L"cmd.exe") || EqualsNoCase(name, L"cmd");
}

// "/c" (run the rest and end) or "/k" (run it and stay).
bool IsRunSwitch(std::wstring_view arg) { return EqualsNoCase(arg, L"/c") || EqualsNoCase(arg, L"/k"); }

bool IsBatchFile(const std::wstring& program) {
  const std::wstring name = NameOf(program);
  const size_t dot = name.rfind(L'.');
  return dot != std::wstring::npos &&
         (EqualsNoCase(name.substr(dot), L".bat") || EqualsNoCase(name.substr(dot), L".cmd"));
}

// One argument as the C library's argv parsing (and CommandLineToArgvW) reads it back: bare when it
// holds nothing that splits or quotes, else in quotes, where backslashes count only before a quote.
void AppendQuoted(std::wstring& line, std::wstring_view arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
    line += arg;
    return;
  }
  line += L'"';
  for (size_t i = 0;; ++i) {
    size_t backslashes = 0;
    for (; i < arg.size() && arg[i] == L'\\'; ++i) ++backslashes;
    if (i == arg.size()) {
      line.append(backslashes * 2, L'\\');  // doubled, so the closing quote stays a quote
      break;
    }
    if (arg[i] == L'"') {
      line.append(backslashes * 2 + 1, L'\\');
    } else {
      line.append(backslashes, L'\\');
    }
    line += arg[i];
  }
  line += L'"';
}

// The program's own name is read to the next quote, or to the first blank: no escapes there, and a
// Windows path holds no quote.
void AppendProgram(std::wstring& line, const std::wstring& program) {
  const bool quoted = program.empty() || program.find_first_of(L" \t") != std::wstring::npos;
  if (quoted) line += L'"';
  line += program;
  if (quoted) line += L'"';
}

// The command line of argv with the program's full path first. The command interpreter splits no
// argv: whatever follows its "/c" is its command, given as it is inside one pair of quotes, which
// "/s" makes it strip (and which it strips of itself from a command holding a special character).
std::wstring CommandLineOf(const std::wstring& program, const std::vector<std::string>& argv) {
  std::wstring line;
  AppendProgram(line, program);
  const bool interpreter = IsCommandInterpreter(program);
  for (size_t i = 1; i < argv.size(); ++i) {
    const std::wstring arg = Utf8ToWide(argv[i]);
    line += L' ';
    if (!interpreter || !IsRunSwitch(arg)) {
      AppendQuoted(line, arg);
      continue;
    }
    line += arg + L" \"";
    for (size_t j = i + 1; j < argv.size(); ++j) line += (j > i + 1 ? L" " : L"") + Utf8ToWide(argv[j]);
    line += L'"';
    break;
  }
  return line;
}

// argv for the batch file argv[0] run as Windows runs one: through the interpreter, with delayed
// expansion off (so '!' stays) and no AutoRun commands of the user's first.
bool ThroughInterpreter(std::vector<std::string>& argv) {
  const std::optional<std::string> command = common::InterpreterLine(argv);
  if (!command) return false;
  argv = {CommandInterpreter(), "/d", "/v:off", "/s", "/c", *command};
  return true;
}

}  // namespace

bool PrepareStart(const std::vector<std::string>& argv, const std::string& folder, ChildStart& start) {
  std::vector<std::string> args = argv;
  // Named in full: the child may start in another folder.
  args[0] = WideToUtf8(FullPath(WidePath(args[0])));
  if (IsBatchFile(WidePath(args[0])) && !ThroughInterpreter(args)) {
    ::SetLastError(ERROR_BAD_ARGUMENTS);
    return false;
  }
  start.program = FullPath(WidePath(args[0]));
  start.commandLine = CommandLineOf(start.program, args);
  start.folder = WidePath(folder);
  return true;
}

Handle NullDevice() {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  return Handle(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                              OPEN_EXISTING, 0, nullptr));
}

Handle InheritableCopy(HANDLE handle) {
  HANDLE copy = nullptr;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
      !::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS)) {
    return Handle();
  }
  return Handle(copy);
}

DWORD StartChild(const ChildStart& start, PROCESS_INFORMATION& started) {
  STARTUPINFOEXW info{};
  info.StartupInfo.cb = sizeof info.StartupInfo;
  DWORD flags = start.flags;
  std::vector<char> attributes;
  LPPROC_THREAD_ATTRIBUTE_LIST list = nullptr;
  // The list of inherited handles names each once.
  std::vector<HANDLE> inherited;
  for (HANDLE handle : {start.standardInput, start.standardOutput, start.standardError}) {
    if (handle != nullptr && std::find(inherited.begin(), inherited.end(), handle) == inherited.end()) {
      inherited.push_back(handle);
    }
  }
  if (!inherited.empty()) {
    // Only these handles go to the child, whatever else of ours happens to be inheritable.
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    attributes.resize(size);
    list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
    if (!::InitializeProcThreadAttributeList(list, 1, 0, &size)) return ::GetLastError();
    if (!::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited.data(),
                                     inherited.size() * sizeof(HANDLE), nullptr, nullptr)) {
      const DWORD error = ::GetLastError();
      ::DeleteProcThreadAttributeList(list);
      return error;
    }
    info.StartupInfo.cb = sizeof info;
    info.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    info.StartupInfo.hStdInput = start.standardInput;
    info.StartupInfo.hStdOutput = start.standardOutput;
    info.StartupInfo.hStdError = start.standardError;
    info.lpAttributeList = list;
    flags |= EXTENDED_STARTUPINFO_PRESENT;
  }
  std::wstring line = start.commandLine;  // CreateProcessW may write into it
  const BOOL made =
      ::CreateProcessW(start.program.c_str(), line.data(), nullptr, nullptr, !inherited.empty(), flags, nullptr,
                       start.folder.empty() ? nullptr : start.folder.c_str(), &info.StartupInfo, &started);
  const DWORD error = made ? 0 : ::GetLastError();
  if (list != nullptr) ::DeleteProcThreadAttributeList(list);
  return error;
}

std::string CommandInterpreter() {
  if (std::optional<std::string> comspec = EnvironmentVariable("ComSpec"); comspec && IsAbsolute(WidePath(*comspec))) {
    return *comspec;
  }
  wchar_t system[MAX_PATH] = {};
  const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
  return n > 0 && n < MAX_PATH ? WideToUtf8(JoinPath(system, L"cmd.exe"))
                               : std::string("C:\\Windows\\System32\\cmd.exe");
}

}  // namespace kivo::platform::win32
