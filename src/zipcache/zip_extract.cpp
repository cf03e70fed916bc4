// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/zip_extract.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>

#include "common/path.h"
#include "platform/files.h"
#include "platform/folder_tree.h"
#include "zipcache/zip_reader.h"

namespace kivo::zipcache {

namespace {

// A reported path must stay usable with the system's file calls.
constexpr size_t kMaxPathLength = 4095;

std::string JoinComponents(const std::string& targetFolder, const std::vector<std::string>& components) {
  std::string path = common::AddBackslash(targetFolder);
  for (size_t i = 0; i < components.size(); ++i) {
    if (i > 0) path += common::kPathSeparator;
    path += components[i];
  }
  return path;
}

class Extractor {
 public:
  Extractor(archive* reader, const std::string& targetFolder, const ExtractLimits& limits)
      : reader_(reader), target_(targetFolder), limits_(limits), writer_(targetFolder) {}

  ExtractOutcome Run() {
    outcome_.complete = writer_.IsOpen();
    if (!writer_.IsOpen()) return std::move(outcome_);
    for (size_t entries = 0;; ++entries) {
      archive_entry* entry = nullptr;
      int status = archive_read_next_header(reader_, &entry);
      if (status == ARCHIVE_EOF) break;
      if (status < ARCHIVE_FAILED || entries >= limits_.maxMembers) {
        outcome_.complete = false;  // nothing further can be read, or the archive holds too many
        break;
      }
      if (status != ARCHIVE_OK) outcome_.complete = false;
      if (status != ARCHIVE_OK && status != ARCHIVE_WARN) continue;  // this entry alone is unreadable
      if (!ExtractEntry(entry)) outcome_.complete = false;
      if (stopped_) break;
    }
    return std::move(outcome_);
  }

 private:
  // False when the entry was refused or could not be written whole.
  bool ExtractEntry(archive_entry* entry) {
    const char* name = MemberName(entry);
    if (name == nullptr) return false;  // a name that cannot be converted has no usable bytes
    std::optional<std::vector<std::string>> components = SplitMemberName(name);
    if (!components) return false;
    std::string path = JoinComponents(target_, *components);
    if (path.size() > kMaxPathLength) return false;

    const mode_t type = archive_entry_filetype(entry);
    if (type == AE_IFDIR) return writer_.MakeFolders(*components);
    if (type != AE_IFREG || archive_entry_hardlink(entry) != nullptr) return false;
    if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > 0 &&
        static_cast<uint64_t>(archive_entry_size(entry)) > limits_.maxBytes - written_) {
      stopped_ = true;  // it would break the bound; nothing after it is extracted either
      return false;
    }
    if (!writer_.BeginFile(*components)) return false;
    bool checksumFailed = false;
    if (!CopyData(checksumFailed) || !writer_.CommitFile()) {
      writer_.AbortFile();
      return false;
    }
    outcome_.files.push_back(std::move(path));
    return !checksumFailed;
  }

  // Copies the entry's data into the file being written. A warning that comes with the data is a
  // failed checksum: the data is all there, so the file is kept.
  bool CopyData(bool& checksumFailed) {
    uint64_t position = 0;
    for (;;) {
      const void* block = nullptr;
      size_t size = 0;
      la_int64_t offset = 0;
      int status = archive_read_data_block(reader_, &block, &size, &offset);
      if (status == ARCHIVE_EOF) return true;
      if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
        if (status < ARCHIVE_FAILED) stopped_ = true;
        return false;
      }
      if (size > 0 && !WriteAt(static_cast<const char*>(block), size, offset, position)) return false;
      if (status == ARCHIVE_WARN) {
        checksumFailed = true;
        if (size == 0) return true;
      }
    }
  }

  // Writes a block that starts at `offset` of the file; a gap before it (a sparse entry) is filled
  // with zeros. Every byte counts against the bound.
  bool WriteAt(const char* data, size_t size, la_int64_t offset, uint64_t& position) {
    if (offset < 0 || static_cast<uint64_t>(offset) < position) return false;
    uint64_t gap = static_cast<uint64_t>(offset) - position;
    if (gap > limits_.maxBytes - written_ || size > limits_.maxBytes - written_ - gap) {
      stopped_ = true;
      return false;
    }
    static const char zeros[4096] = {};
    for (uint64_t left = gap; left > 0;) {
      size_t n = static_cast<size_t>(std::min<uint64_t>(left, sizeof zeros));
      if (!writer_.Write(zeros, n)) return false;
      left -= n;
    }
    written_ += gap + size;
    position = static_cast<uint64_t>(offset) + size;
    return writer_.Write(data, size);
  }

  archive* reader_;
  const std::string& target_;
  const ExtractLimits& limits_;
  platform::FolderWriter writer_;
  ExtractOutcome outcome_;
  uint64_t written_ = 0;
  bool stopped_ = false;
};

}  // namespace

namespace {
bool IsMemberSeparator(char c) { return c == '/' || common::IsPathSeparator(c); }
}  // namespace

std::optional<std::vector<std::string>> SplitMemberName(std::string_view name) {
  // Archives separate with '/'; on Windows a backslash (as some packers wrote) separates as well, so no
  // member reaches above the folder through one.
  if (name.empty() || IsMemberSeparator(name.front())) return std::nullopt;
  std::vector<std::string> components;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsMemberSeparator(name[end])) ++end;
    std::string_view part = name.substr(start, end - start);
    if (part == "..") return std::nullopt;
    if (!part.empty() && part != ".") components.emplace_back(part);
    start = end + 1;
  }
  if (components.empty()) return std::nullopt;
  return components;
}

ExtractOutcome ExtractZipFile(const std::string& archivePath, const std::string& targetFolder,
                              const ExtractLimits& limits) {
  ZipReader reader(archivePath);
  if (!reader.Get()) return {};
  return Extractor(reader.Get(), targetFolder, limits).Run();
}

ExtractOutcome ExtractZipBytes(std::string_view bytes, const std::string& targetFolder, const ExtractLimits& limits) {
  ZipReader reader(bytes);
  if (!reader.Get()) return {};
  return Extractor(reader.Get(), targetFolder, limits).Run();
}

}  // namespace kivo::zipcache
