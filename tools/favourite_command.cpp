// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool favourite FILE: stars the game, or unstars it when it was starred, in the records the
// window's "Favourites" lists, and says which.
#include <ostream>

#include "app/game_records.h"
#include "common/path.h"
#include "app/settings_file.h"
#include "platform/files.h"
#include "tool_command.h"
#include "tool_environment.h"

int RunFavouriteCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: kivo-tool favourite FILE\n";
    return kToolUsage;
  }
  const std::string path = kivo::common::LexicalPath(env.FullPath(args.front()));
  // A favourite names a game the list can show: a file that is there.
  if (!kivo::platform::FileExists(path)) {
    err << "kivo-tool: " << path << ": no such file\n";
    return kToolFailed;
  }
  const bool starred = kivo::app::GameRecords::ToggleFavourite(env.Settings().Path(), path);
  out << (starred ? "Starred " : "Unstarred ") << path << '\n';
  return kToolOk;
}
