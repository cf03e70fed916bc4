// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kivo::app {

// The parsed form of an INI text: where each section and key stands in the bytes, so that a read
// is a hash lookup and a write can replace one line and keep every other byte as it was.
// Section and key names match without regard to ASCII letter case; the first occurrence of a
// duplicated section or key is the one read and written. A UTF-8 byte-order mark at the start is
// passed over when reading and kept, as the first bytes, when writing.
class IniDocument {
 public:
  explicit IniDocument(std::string bytes);

  const std::string& Bytes() const { return bytes_; }

  // The bytes the lines are read from: all of them, or those after a UTF-8 byte-order mark that
  // some editors put first, which belongs to no line.
  static std::string_view TextOf(std::string_view bytes);

  // Whether a name is read back as written. Names are trimmed of blanks when read, so one with a
  // blank at either end is not; nor is a line break. A key is cut at its first "=", and a key
  // starting with "[" is read as a section header. Names that cannot be held are never found and
  // never written.
  static bool CanHoldSection(std::string_view name);
  static bool CanHoldKey(std::string_view name);

  // Whether the text has a header naming the section (in any ASCII letter case).
  bool HasSection(std::string_view section) const;

  // The trimmed value of the key, or nullptr-equivalent false when section or key is missing.
  bool Find(std::string_view section, std::string_view key, std::string_view& value) const;

  // How many of the first bytes decide what Find gives for the key: the text through the line break
  // that ends the key's line, since the first header of its section and the first line of the key
  // come before, and nothing after can change either. npos when the whole text decides (the section
  // or the key is missing, or its line ends the text without a line break); 0 for a name that
  // cannot be held, which is never found.
  size_t BytesDeciding(std::string_view section, std::string_view key) const;

  // The text with the key set to the value: replaced in place, appended at the end of its section,
  // or appended with a new section at the end of the text.
  std::string WithValue(std::string_view section, std::string_view key, std::string_view value) const;

 private:
  struct Line {
    size_t begin = 0;  // first byte of the line
    size_t end = 0;    // the byte after its text, line end excluded
    size_t valueBegin = 0;
    size_t valueEnd = 0;
    size_t keyBegin = 0;  // the key as written
    size_t keyEnd = 0;
  };
  // Lookups take a string_view, so a read lower-cases its names on the stack rather than
  // allocating: a folder scan makes one lookup per file.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
  };
  template <typename Value>
  using NameMap = std::unordered_map<std::string, Value, NameHash, std::equal_to<>>;

  struct Section {
    size_t contentEnd = 0;  // end (line end included) of the section's last non-blank line
    NameMap<Line> keys;     // lower-cased key -> its first line
  };

  void Parse();
  // The key's first line in the section's first occurrence; nullptr when either is missing or a name
  // cannot be held.
  const Line* FindLine(std::string_view section, std::string_view key) const;
  std::string_view LineEnd() const;

  std::string bytes_;
  size_t textBegin_ = 0;       // the first byte after a leading UTF-8 mark, if any
  NameMap<Section> sections_;  // lower-cased name -> its first occurrence
};

}  // namespace kivo::app
