#include "browser/folder_scan.h"

#include <algorithm>

#include "app/settings_file.h"
#include "common/path.h"
#include "common/text.h"
#include "platform/dirs.h"

bool MatchesRomFilter(std::string_view fileName) {
  std::string ext = LowerAscii(ExtractFileExt(fileName));
  return !ext.empty() && kRomFilter.find(ext) != std::string_view::npos;
}

bool IsZipName(std::string_view fileName) { return UpperAscii(ExtractFileExt(fileName)) == ".ZIP"; }

namespace {

int Group(const ListEntry& entry) { return entry.kind <= kFolder ? entry.kind : 2; }

int CompareBytes(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(a[i]);
    auto cb = static_cast<unsigned char>(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The comparison with the lower-cased captions computed by the caller.
bool LessWithKeys(const ListEntry& a, std::string_view lowerA, const ListEntry& b, std::string_view lowerB) {
  if (Group(a) != Group(b)) return Group(a) < Group(b);
  if (int c = CompareBytes(lowerA, lowerB); c != 0) return c < 0;
  if (int c = CompareBytes(a.caption, b.caption); c != 0) return c < 0;
  return CompareBytes(a.fileName, b.fileName) < 0;
}

}  // namespace

bool ListEntryLess(const ListEntry& a, const ListEntry& b) {
  return LessWithKeys(a, LowerAscii(a.caption), b, LowerAscii(b.caption));
}

std::vector<ListEntry> ScanFolder(const std::vector<std::string>& driveRoots, const std::string& folder,
                                  const IniDocument& settings) {
  std::vector<ListEntry> entries;
  for (const std::string& root : driveRoots) entries.push_back({root, kDrive, {}});

  // One listing serves both passes: folders and files are told apart by the directory bit alone,
  // so hidden and system items are listed too.
  for (platform::DirItem& item : platform::ListDirectory(folder)) {
    if (item.isDirectory) {
      entries.push_back({std::move(item.name), kFolder, {}});
      continue;
    }
    if (!MatchesRomFilter(item.name)) continue;
    ListEntry entry;
    entry.kind = IsZipName(item.name) ? kZipArchive : kRomFile;
    entry.caption = StripFileExt(item.name);
    if (ReadIniBool(settings, "Configs", entry.caption, false)) entry.kind += 1;
    entry.fileName = std::move(item.name);
    entries.push_back(std::move(entry));
  }
  // Sort once, with each caption lower-cased once rather than in every comparison.
  std::vector<std::pair<std::string, ListEntry>> keyed;
  keyed.reserve(entries.size());
  for (ListEntry& entry : entries) keyed.emplace_back(LowerAscii(entry.caption), std::move(entry));
  std::sort(keyed.begin(), keyed.end(),
            [](const auto& a, const auto& b) { return LessWithKeys(a.second, a.first, b.second, b.first); });
  entries.clear();
  for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
  return entries;
}
