// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/ini_document.h"
#include "app/options.h"

namespace kivo::app {

// The settings file kivo.ini. Nothing is held between calls that the file no longer says: every
// read looks at the file as it is now (so an edit by another program is seen at the next read), and
// every write reaches the disk before the call returns. Parsing is skipped when the bytes are the
// ones parsed last time, which keeps reads cheap on a file with thousands of game sections; and a
// read of one key compares only the bytes up to its line, so that a key near the start of a large
// file is read without reading the rest.
class SettingsFile {
 public:
  explicit SettingsFile(std::string path);

  const std::string& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def);
  int ReadInteger(std::string_view section, std::string_view key, int def);
  bool ReadBool(std::string_view section, std::string_view key, bool def);

  // Storing the value the file already holds writes nothing. A refused write raises KivoError
  // "Unable to write to <path>" and leaves the file as it was; so does any write while the file
  // exists but cannot be read (its reads give their defaults meanwhile). A value holding a line
  // break, or a section or key the file cannot hold as written (see IniDocument), would be read
  // back as something else; such a write stores nothing.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The same for a declared key of a fixed section (options.h), with its declared default; and with
  // the caller's, for the few known only at run time (the window's place, the start folder).
  std::string ReadString(const OptionDecl& option) { return ReadString(option.section, option.key, ""); }
  int ReadInteger(const OptionDecl& option) { return ReadInteger(option.section, option.key, option.defaultValue); }
  bool ReadBool(const OptionDecl& option) { return ReadBool(option.section, option.key, option.defaultValue != 0); }
  std::string ReadString(const OptionDecl& option, std::string_view def) {
    return ReadString(option.section, option.key, def);
  }
  int ReadInteger(const OptionDecl& option, int def) { return ReadInteger(option.section, option.key, def); }
  bool ReadBool(const OptionDecl& option, bool def) { return ReadBool(option.section, option.key, def); }
  void WriteString(const OptionDecl& option, std::string_view value) { WriteString(option.section, option.key, value); }
  void WriteInteger(const OptionDecl& option, int value) { WriteInteger(option.section, option.key, value); }
  void WriteBool(const OptionDecl& option, bool value) { WriteBool(option.section, option.key, value); }

  // The file as it is now, for a caller that makes many reads at one moment (a folder scan).
  std::shared_ptr<const IniDocument> Snapshot();

 private:
  // What one read of the key answers from: the document parsed last when the file still holds its
  // bytes up to the end of the key's line, which alone decide the answer; else Snapshot().
  std::shared_ptr<const IniDocument> SnapshotFor(std::string_view section, std::string_view key);

  std::string path_;
  std::string readBuffer_;
  std::shared_ptr<const IniDocument> parsed_;
  bool writable_ = true;  // the last read found the file, or found none
};

// The read rules on a parsed document, shared by SettingsFile and callers holding a snapshot.
std::string ReadIniString(const IniDocument& doc, std::string_view section, std::string_view key, std::string_view def);
int ReadIniInteger(const IniDocument& doc, std::string_view section, std::string_view key, int def);
bool ReadIniBool(const IniDocument& doc, std::string_view section, std::string_view key, bool def);

}  // namespace kivo::app
