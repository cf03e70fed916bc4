// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/folder_scan.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "app/options.h"
#include "app/settings_file.h"
#include "browser/ascii_fold.h"
#include "browser/configs_filter.h"
#include "common/path.h"
#include "platform/dirs.h"

namespace kivo::browser {

namespace {

// A listed name's extension as ExtractFileExt gives it, without a copy: from the last dot on (a
// listed name holds no separator), empty without a dot.
std::string_view ExtensionOf(std::string_view name) {
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// An extension of at most eight bytes, lower-cased, as one number (zero bytes after its end; no
// name holds a zero byte); nothing for a longer one, which the filter cannot hold.
std::optional<std::uint64_t> PackedExtension(std::string_view ext) {
  if (ext.size() > 8) return std::nullopt;
  std::uint64_t packed = 0;
  for (char c : ext) packed = (packed << 8) | static_cast<unsigned char>(FoldAscii(c));
  return packed;
}

// Whether an extension is listed: its lower-cased form occurs in the filter. An extension starts
// at its name's last dot, so it can only match a piece of the filter that starts at a dot and holds
// no other; there are a few dozen such pieces, packed and sorted once, and this runs for every file
// of a folder.
bool IsListedExtension(std::optional<std::uint64_t> packed) {
  static const std::vector<std::uint64_t> kListed = [] {
    std::vector<std::uint64_t> listed;
    for (size_t dot = kRomFilter.find('.'); dot != std::string_view::npos; dot = kRomFilter.find('.', dot + 1)) {
      size_t next = std::min(kRomFilter.find('.', dot + 1), kRomFilter.size());
      for (size_t end = dot + 1; end <= next; ++end) {
        if (auto piece = PackedExtension(kRomFilter.substr(dot, end - dot))) listed.push_back(*piece);
      }
    }
    std::sort(listed.begin(), listed.end());
    return listed;
  }();
  return packed && std::binary_search(kListed.begin(), kListed.end(), *packed);
}

const std::uint64_t kZipExtension = *PackedExtension(".zip");

}  // namespace

bool MatchesRomFilter(std::string_view fileName) {
  return IsListedExtension(PackedExtension(common::ExtractFileExt(fileName)));
}

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
      const std::optional<std::uint64_t> packed = PackedExtension(extension);
      if (!IsListedExtension(packed)) return;
      kind = *packed == kZipExtension ? kZipArchive : kRomFile;
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
