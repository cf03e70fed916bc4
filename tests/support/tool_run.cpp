// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include <vector>

namespace {

// Windows has no POSIX shell to hand the text to: its words are split here as sh splits them
// (blanks, '...', "..." and backslashes; the callers' texts use nothing else of the shell), and the
// program is started with them directly.
std::vector<std::string> ShellWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\'') {
      const size_t close = text.find('\'', i + 1);
      word += text.substr(i + 1, close - i - 1);
      i = close == std::string::npos ? text.size() : close;
    } else if (c == '"') {
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && std::string("\"\\$`").find(text[i + 1]) != std::string::npos) ++i;
        word += text[i];
      }
    } else if (c == '\\' && i + 1 < text.size()) {
      word += text[++i];
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

// One argument as the C library's command-line parsing reads it back.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE Inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition, 0, nullptr);
}

}  // namespace

ToolRun RunTool(const TempDir& scratch, const std::string& program, const std::string& args,
                const std::string& folder) {
  std::wstring line = Quoted(Wide(program));
  for (const std::string& word : ShellWords(args)) line += L" " + Quoted(Wide(word));
  HANDLE in = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE out = Inheritable(Wide(scratch / "out.txt"), GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = Inheritable(Wide(scratch / "err.txt"), GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION started{};
  ToolRun run;
  if (::CreateProcessW(Wide(program).c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, Wide(folder).c_str(),
                       &startup, &started)) {
    ::WaitForSingleObject(started.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(started.hProcess, &code);
    run.status = static_cast<int>(code);
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
  } else {
    ADD_FAILURE() << "cannot start " << program << " (error " << ::GetLastError() << ")";
  }
  for (HANDLE handle : {in, out, err}) ::CloseHandle(handle);
  run.out = ReadTestFile(scratch / "out.txt");
  run.err = ReadTestFile(scratch / "err.txt");
  return run;
}

#else

ToolRun RunTool(const TempDir& scratch, const std::string& program, const std::string& args,
                const std::string& folder) {
  const std::string command = "cd '" + folder + "' && '" + program + "' " + args + " >'" + (scratch / "out.txt") +
                              "' 2>'" + (scratch / "err.txt") + "'; echo $? >'" + (scratch / "status.txt") + "'";
  ToolRun run;
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "shell failed: " << command;
  run.status = std::atoi(ReadTestFile(scratch / "status.txt").c_str());
  run.out = ReadTestFile(scratch / "out.txt");
  run.err = ReadTestFile(scratch / "err.txt");
  return run;
}

#endif
