// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/folder_scan.h"

#include <optional>
#include <utility>

#include "app/options.h"
#include "app/settings_file.h"
#include "browser/configs_filter.h"
#include "common/path.h"
#include "common/text.h"
#include "platform/dirs.h"

namespace kivo::browser {

namespace {

// A listed name's extension as ExtractFileExt gives it, without a copy: from the last dot on (a
// listed name holds no separator), empty without a dot.
std::string_view ExtensionOf(std::string_view name) {
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

}  // namespace

ListEntries ScanFolder(const std::vector<std::string>& driveRoots, const std::string& folder,
                       const app::IniDocument& settings) {
  ListEntries entries;
  std::vector<ListEntries::Line> lines;
  for (const std::string& root : driveRoots) {
    if (std::optional<ListEntries::Line> line = entries.Keep(root, 0, kDrive)) lines.push_back(*line);
  }

  // One listing serves both passes: folders and files are told apart by the directory bit alone,
  // so hidden and system items are listed too. Only the names listed are copied, each once, into
  // the list's buffer.
  const ConfigsFilter configs(settings.Bytes());
  // The root has nothing above it, as a drive's root had no "." and "..".
  const bool atRoot = common::IsRootPath(folder);
  platform::VisitDirectory(folder, [&](std::string_view name, bool isDirectory) {
    if (atRoot && (name == "." || name == "..")) return;
    int kind = kFolder;
    std::string_view extension;
    if (!isDirectory) {
      extension = ExtensionOf(name);
      if (!common::IsListedExtension(extension)) return;
      kind = common::EqualsNoCase(extension, ".zip") ? kZipArchive : kRomFile;
      std::string_view caption = name.substr(0, name.size() - extension.size());
      if (configs.MayHold(caption) && app::ReadIniBool(settings, app::section::Configs, caption, false)) kind += 1;
    }
    if (std::optional<ListEntries::Line> line = entries.Keep(name, extension.size(), kind)) lines.push_back(*line);
  });

  SortLines(entries, lines);
  entries.SetLines(std::move(lines));
  return entries;
}

}  // namespace kivo::browser
