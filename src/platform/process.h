// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Starting another program the way a Windows command line does, without waiting for it.
namespace kivo::platform {

// Splits an unquoted command line as Windows resolves it: the program is the shortest prefix ending
// at a blank that names an existing regular file (so "/opt/My Games/zsnes -a" finds a program in a
// folder with a blank in its name); the rest is split at runs of blanks. The program comes first.
// Empty when no prefix names a file.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Which step of a start the system refused, and the error it gave.
struct StartFailure {
  enum class Step {
    kNone,     // nothing was refused
    kProcess,  // no new process could be made
    kFolder,   // the working folder could not be entered
    kProgram,  // the program could not be run
  };
  Step step = Step::kNone;
  int error = 0;  // the system's error number (errno; on Windows GetLastError's)
};

// Starts the program argv[0] (a path; a relative one counts from the current folder) with the
// arguments argv[1..], detached: not waited for, leaving no zombie, its own session, no file
// descriptors beyond 0-2 inherited. `workingFolder` empty keeps the current one. With
// `highPriority` the child's priority is raised as far as the system allows (it stays normal when
// refused). False when argv is empty, the program cannot be started or the folder cannot be
// entered; `failure`, when given, then says which step the system refused and why. Its standard
// output and error go where SetStartedOutput says. On Windows: CreateProcessW with the command line
// the program's C library splits back into argv, no handle inherited but the standard streams, no
// console window, HIGH_PRIORITY_CLASS when asked; a batch file runs through cmd.exe.
bool StartDetached(std::vector<std::string> argv, const std::string& workingFolder, bool highPriority,
                   StartFailure* failure = nullptr);

// Where the standard output and error of the programs StartDetached starts go.
enum class StartedOutput {
  kInherited,  // where this process's own go (the default); on Windows, when it has them
  kDiscarded,  // the null device (/dev/null, NUL): a command-line tool's terminal shows only its own lines
};

// Sets where they go for every start from now on. A setting of the whole process, as a program's
// standard streams are: a command-line tool decides it once, at its start.
void SetStartedOutput(StartedOutput output);

// The program a shell would run for `name`: the first executable regular file of that name in the
// folders of PATH (on Windows also the name with each of PATHEXT's program extensions). Empty when
// there is none.
std::string FindProgramOnPath(const std::string& name);

// The lines DOS runs from a batch file's bytes: lines end at CR or LF, as DOS read them; empty
// lines are left out.
std::vector<std::string> BatchLines(std::string_view batchBytes);

// The shell (on Windows cmd.exe /d /v:off /s /c) running a DOS batch file's bytes as one script:
// one line per batch line (on Windows the lines joined by '&' into one command), a leading "@"
// (echo off for that line) dropped. On POSIX systems the script is argv[2] and the batch path $0,
// so the script's messages name the file they came from. Started with StartDetached, the shell gets
// the priority, which the emulator inherits.
std::vector<std::string> BatchCommand(std::string_view batchBytes, const std::string& batchPath);

}  // namespace kivo::platform
