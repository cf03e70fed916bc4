// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/settings_file.h"

#include <string>

#include "common/error.h"
#include "common/text.h"
#include "platform/file_start.h"
#include "platform/files.h"

namespace kivo::app {

namespace {

// Longest string value a read returns; longer values are cut.
constexpr size_t kMaxValueLength = 2047;

// The largest settings file read: thousands of game sections take a few megabytes; a file far
// beyond that is not KIVO's and is left alone.
constexpr size_t kSettingsFileLimit = size_t{64} << 20;

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::string ReadIniString(const IniDocument& doc, std::string_view section, std::string_view key,
                          std::string_view def) {
  std::string_view value;
  if (!doc.Find(section, key, value)) return std::string(def);
  return std::string(value.substr(0, kMaxValueLength));
}

int ReadIniInteger(const IniDocument& doc, std::string_view section, std::string_view key, int def) {
  std::string_view value;
  if (!doc.Find(section, key, value)) return def;
  return common::ParseInteger(value.substr(0, kMaxValueLength)).value_or(def);
}

bool ReadIniBool(const IniDocument& doc, std::string_view section, std::string_view key, bool def) {
  return ReadIniInteger(doc, section, key, def ? 1 : 0) != 0;
}

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {
  // A program killed while writing left its temporary file; this is the next start.
  platform::RemoveInterruptedWrites(path_);
}

std::shared_ptr<const IniDocument> SettingsFile::Snapshot() {
  // A missing file reads as empty, and so does one that cannot be read, so every read gives its
  // default; but only a missing one may be written, since the bytes of the other are unknown.
  bool unchanged = false;
  platform::ReadStatus status =
      parsed_ ? platform::ReadFileAgain(path_, parsed_->Bytes(), readBuffer_, kSettingsFileLimit, unchanged)
              : platform::ReadFile(path_, readBuffer_, kSettingsFileLimit);
  writable_ = status == platform::ReadStatus::kRead || status == platform::ReadStatus::kMissing;
  if (!unchanged && (!parsed_ || parsed_->Bytes() != readBuffer_)) parsed_ = std::make_shared<IniDocument>(readBuffer_);
  return parsed_;
}

std::shared_ptr<const IniDocument> SettingsFile::SnapshotFor(std::string_view section, std::string_view key) {
  if (parsed_) {
    // The file starting with the bytes that decide the answer gives the answer the document
    // parsed from them gives: the rest, read and compared, could not change it.
    const size_t deciding = parsed_->BytesDeciding(section, key);
    if (deciding != std::string::npos &&
        platform::FileStartsWith(path_, std::string_view(parsed_->Bytes()).substr(0, deciding), kSettingsFileLimit)) {
      writable_ = true;
      return parsed_;
    }
  }
  return Snapshot();
}

std::string SettingsFile::ReadString(std::string_view section, std::string_view key, std::string_view def) {
  return ReadIniString(*SnapshotFor(section, key), section, key, def);
}

int SettingsFile::ReadInteger(std::string_view section, std::string_view key, int def) {
  return ReadIniInteger(*SnapshotFor(section, key), section, key, def);
}

bool SettingsFile::ReadBool(std::string_view section, std::string_view key, bool def) {
  return ReadIniBool(*SnapshotFor(section, key), section, key, def);
}

void SettingsFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(value) || !IniDocument::CanHoldSection(section) || !IniDocument::CanHoldKey(key)) return;
  std::shared_ptr<const IniDocument> current = Snapshot();
  if (!writable_) throw common::KivoError("Unable to write to " + path_);
  std::string updated = current->WithValue(section, key, value);
  // A value already stored as asked leaves the file alone: each real write is a sync to disk, and
  // a cancelled folder picker stores the field's text again.
  if (updated == current->Bytes()) return;
  if (!platform::WriteFileAtomic(path_, updated)) throw common::KivoError("Unable to write to " + path_);
  parsed_ = std::make_shared<IniDocument>(std::move(updated));
}

void SettingsFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace kivo::app
