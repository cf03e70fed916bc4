#include "browser/folder_scan.h"

#include <algorithm>
#include <cstdint>

#include "app/settings_file.h"
#include "common/path.h"
#include "common/text.h"
#include "platform/dirs.h"

namespace {

// Whether an extension, as ExtractFileExt gives it, is listed: its lower-cased form occurs in the
// filter. Lower-cased on the stack, as this runs for every file of a folder.
bool IsListedExtension(std::string_view ext) {
  if (ext.empty() || ext.size() > kRomFilter.size()) return false;
  char lower[kRomFilter.size()];
  for (size_t i = 0; i < ext.size(); ++i) lower[i] = LowerAscii(ext[i]);
  return kRomFilter.find(std::string_view(lower, ext.size())) != std::string_view::npos;
}

int Group(const ListEntry& entry) { return entry.kind <= kFolder ? entry.kind : 2; }

// Byte order with bytes as unsigned values, a proper prefix first: what char_traits<char>
// (memcmp) gives.
int CompareBytes(std::string_view a, std::string_view b) { return a.compare(b); }

// The comparison with the lower-cased captions computed by the caller.
bool LessWithKeys(const ListEntry& a, std::string_view lowerA, const ListEntry& b, std::string_view lowerB) {
  if (Group(a) != Group(b)) return Group(a) < Group(b);
  if (int c = CompareBytes(lowerA, lowerB); c != 0) return c < 0;
  if (int c = CompareBytes(a.caption, b.caption); c != 0) return c < 0;
  return CompareBytes(a.fileName, b.fileName) < 0;
}

// A listed folder or file while the scan sorts: the sort moves these small keys rather than
// strings, and each entry is built once, in its final place.
struct Candidate {
  // The group (folders 1, files 2) in the top byte, then the first fifteen bytes of the caption,
  // lower-cased, big-endian, padded with zero bytes: most comparisons in a large folder end on
  // these two integers. The padding keeps a proper prefix first, as no file name holds a zero byte.
  std::uint64_t high;
  std::uint64_t low;
  std::uint32_t item;  // index into the listing
  std::uint16_t captionSize;
  std::uint16_t kind;
};

constexpr size_t kHeadBytes = 15;

void SetHead(Candidate& candidate, int group, std::string_view caption) {
  unsigned char head[16] = {static_cast<unsigned char>(group)};
  for (size_t b = 0; b < kHeadBytes && b < caption.size(); ++b)
    head[b + 1] = static_cast<unsigned char>(LowerAscii(caption[b]));
  candidate.high = candidate.low = 0;
  for (size_t b = 0; b < 8; ++b) candidate.high = (candidate.high << 8) | head[b];
  for (size_t b = 8; b < 16; ++b) candidate.low = (candidate.low << 8) | head[b];
}

// Compares two captions without regard to ASCII letter case from byte `from` on, as
// CompareBytes(LowerAscii(a), LowerAscii(b)) would when the bytes before `from` are equal.
int CompareFoldedFrom(std::string_view a, std::string_view b, size_t from) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = from; i < n; ++i) {
    auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
    auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

bool MatchesRomFilter(std::string_view fileName) { return IsListedExtension(ExtractFileExt(fileName)); }

bool ListEntryLess(const ListEntry& a, const ListEntry& b) {
  return LessWithKeys(a, LowerAscii(a.caption), b, LowerAscii(b.caption));
}

std::vector<ListEntry> ScanFolder(const std::vector<std::string>& driveRoots, const std::string& folder,
                                  const IniDocument& settings) {
  std::vector<platform::DirItem> items = platform::ListDirectory(folder);

  // One listing serves both passes: folders and files are told apart by the directory bit alone,
  // so hidden and system items are listed too.
  std::vector<Candidate> listed;
  listed.reserve(items.size());
  // The root has nothing above it, as a drive's root had no "." and "..".
  const bool atRoot = folder == "/";
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string& name = items[i].name;
    if (atRoot && (name == "." || name == "..")) continue;
    Candidate candidate{0, 0, static_cast<std::uint32_t>(i), 0, kFolder};
    size_t captionSize = name.size();
    if (!items[i].isDirectory) {
      std::string ext = ExtractFileExt(name);
      if (!IsListedExtension(ext)) continue;
      candidate.kind = IsZipName(name) ? kZipArchive : kRomFile;
      captionSize -= ext.size();  // the caption is the name without its extension
      if (ReadIniBool(settings, "Configs", std::string_view(name).substr(0, captionSize), false)) candidate.kind += 1;
    }
    candidate.captionSize = static_cast<std::uint16_t>(captionSize);  // a name is at most 255 bytes
    SetHead(candidate, candidate.kind == kFolder ? 1 : 2, std::string_view(name).substr(0, captionSize));
    listed.push_back(candidate);
  }

  // ListEntryLess's order: group, lower-cased caption, caption bytes, then file name (a folder has
  // none, so within a group the names alone decide).
  std::sort(listed.begin(), listed.end(), [&items](const Candidate& a, const Candidate& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    std::string_view nameA = items[a.item].name;
    std::string_view nameB = items[b.item].name;
    std::string_view captionA = nameA.substr(0, a.captionSize);
    std::string_view captionB = nameB.substr(0, b.captionSize);
    if (int c = CompareFoldedFrom(captionA, captionB, kHeadBytes); c != 0) return c < 0;
    if (int c = CompareBytes(captionA, captionB); c != 0) return c < 0;
    return CompareBytes(nameA, nameB) < 0;
  });

  std::vector<ListEntry> entries;
  entries.reserve(driveRoots.size() + listed.size());
  for (const std::string& root : driveRoots) entries.push_back({root, kDrive, {}});
  std::sort(entries.begin(), entries.end(), ListEntryLess);
  for (const Candidate& candidate : listed) {
    std::string& name = items[candidate.item].name;
    if (candidate.kind == kFolder) {
      entries.push_back({std::move(name), kFolder, {}});
    } else {
      entries.push_back({name.substr(0, candidate.captionSize), candidate.kind, std::move(name)});
    }
  }
  return entries;
}
