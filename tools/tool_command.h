// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

class ToolEnvironment;

// One subcommand of kivo-tool. Each lives in a file of its own and is listed once in the table in
// tool_commands.cpp; main() finds it there by name.
struct ToolCommand {
  const char* name;
  const char* arguments;  // for the usage text, e.g. "FILE..."
  const char* summary;
  // Exit status: 0 success, 1 the job's own failure (a file not OK), 2 wrong arguments.
  int (*run)(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

std::span<const ToolCommand> ToolCommands();

// Exit statuses shared by the subcommands.
inline constexpr int kToolOk = 0;
inline constexpr int kToolFailed = 1;
inline constexpr int kToolUsage = 2;

// The subcommands, one file each.
int RunCmdlineCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunInfoCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunGifCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRunCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunListCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunFavouriteCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err);
int RunVerifyCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
