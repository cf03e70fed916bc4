// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool list [FOLDER] [--filter TEXT] [--sort name|title|size|played] [--details]
// [--favourites | --recent]: the lines of the window's list for a folder (the current one when none
// is named) or for one of the gathered lists, one per line, in the window's order; with --details
// each as tab-separated columns under a header line. Titles are read as the window reads them,
// through the same table, so the window's next visit costs no reading either.
#include <ostream>
#include <string_view>

#include "app/game_records.h"
#include "app/settings_file.h"
#include "browser/game_lists.h"
#include "browser/list_facts.h"
#include "browser/list_filter.h"
#include "browser/list_sort.h"
#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "tool_command.h"
#include "tool_environment.h"

using namespace kivo::browser;

namespace {

struct ListArguments {
  std::string folder;
  std::string filter;
  ListColumn sort = ListColumn::Name;
  bool descending = false;
  bool details = false;
  ListSource source = ListSource::Folder;
};

constexpr const char* kUsage =
    "usage: kivo-tool list [FOLDER] [--filter TEXT] [--sort name|title|size|played] [--details] "
    "[--favourites | --recent]\n";

// False for arguments that do not make a listing.
bool ParseListArguments(const std::vector<std::string>& args, ListArguments& parsed) {
  bool gathered = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--details") {
      parsed.details = true;
    } else if (arg == "--favourites" || arg == "--recent") {
      if (gathered) return false;
      gathered = true;
      parsed.source = arg == "--favourites" ? ListSource::Favourites : ListSource::RecentlyPlayed;
    } else if (arg == "--filter" && i + 1 < args.size()) {
      parsed.filter = args[++i];
    } else if (arg == "--sort" && i + 1 < args.size()) {
      const std::string& key = args[++i];
      // The most played first: what a user sorting by starts looks for.
      if (key == "name") parsed.sort = ListColumn::Name;
      else if (key == "title") parsed.sort = ListColumn::Title;
      else if (key == "size") parsed.sort = ListColumn::Size;
      else if (key == "played") parsed.sort = ListColumn::Played, parsed.descending = true;
      else return false;
    } else if (!arg.starts_with("--") && parsed.folder.empty()) {
      parsed.folder = arg;
    } else {
      return false;
    }
  }
  return !(gathered && !parsed.folder.empty());
}

const char* KindWord(int kind) {
  switch (kind) {
    case kDrive: return "drive";
    case kFolder: return "folder";
    case kFavourites: return "favourites";
    case kRecentlyPlayed: return "recent";
    case kZipArchive:
    case kZipArchiveWithConfig: return "zip";
    default: return "rom";
  }
}

// A field of a tab-separated line: a tab or line end in a name would start another field or line.
std::string Field(std::string_view text) {
  std::string field(text);
  for (char& c : field)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return field;
}

}  // namespace

int RunListCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ListArguments parsed;
  if (!ParseListArguments(args, parsed)) {
    err << kUsage;
    return kToolUsage;
  }
  const std::string folder = parsed.folder.empty() ? kivo::platform::GetCurrentDir() : env.FullPath(parsed.folder);
  if (!kivo::platform::DirectoryExists(folder)) {
    err << "kivo-tool: " << folder << ": no such folder\n";
    return kToolFailed;
  }
  auto settings = env.Settings().Snapshot();
  const kivo::app::GameRecords records = kivo::app::GameRecords::Load(env.Settings().Path());
  const std::vector<std::string> drives = kivo::platform::DriveRoots();
  const GameList list = parsed.source == ListSource::Folder ? ListFolder(drives, folder, *settings)
                                                            : ListGathered(parsed.source, drives, records, *settings);
  std::vector<EntryFacts> facts = RecordFacts(list, folder, records);
  if (parsed.details || !parsed.filter.empty() || parsed.sort == ListColumn::Title || parsed.sort == ListColumn::Size) {
    TitleTable table(kivo::common::AddBackslash(env.DataDir()) + "zipcache/titles.tbl");
    ReadListFacts(list, folder, table, facts);
    // A table that cannot be written costs only the next reading.
    if (table.Changed()) table.Save();
  }
  std::vector<std::uint32_t> rows = FilterRows(list.entries, facts, parsed.filter);
  SortRows(rows, list.entries, facts, parsed.sort, parsed.descending);
  const std::vector<bool> shared = CaptionsShared(list.entries);
  if (parsed.details) out << "kind\tname\ttitle\tregion\tsize\tlast played\tplayed\tfavourite\n";
  for (const std::uint32_t row : rows) {
    const ListEntry entry = list.entries[row];
    const std::string name = Field(shared[row] ? entry.fileName : entry.caption);
    if (!parsed.details) {
      out << name << '\n';
      continue;
    }
    const EntryFacts& f = facts[row];
    out << KindWord(entry.kind) << '\t' << name << '\t' << Field(f.title) << '\t' << Field(f.region) << '\t'
        << (entry.IsFile() && f.size >= 0 ? std::to_string(f.size) : "") << '\t' << kivo::app::IsoTime(f.lastStart)
        << '\t' << f.starts << '\t' << (f.favourite ? 1 : 0) << '\n';
  }
  return kToolOk;
}
