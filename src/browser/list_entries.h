// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "browser/list_entry.h"

namespace kivo::browser {

// The lines of the ROM list, in their order. A ROM folder can hold hundreds of thousands of files,
// so every name is kept once, in one buffer, and a line is eight bytes saying where its name lies
// and what it is. A file's caption is the start of its name (the name without its extension); a
// drive's or folder's caption is the whole name. The entries handed out are views into the buffer.
class ListEntries {
 public:
  // Where one line's name lies in the buffer, and its kind.
  struct Line {
    std::uint32_t begin = 0;
    std::uint16_t nameSize = 0;      // a listed name has at most 255 bytes, a drive's path a few hundred
    std::uint8_t extensionSize = 0;  // for files; a listed extension is part of the ROM filter, so short
    std::uint8_t kind = kFolder;
  };

  // Building the list: Keep copies a name into the buffer and gives its line; SetLines makes the
  // lines, in the order wanted, the list. Keep gives nothing when the name does not fit a line as
  // described above or the buffer would pass 4 GB, which no folder's names come near.
  std::optional<Line> Keep(std::string_view name, size_t extensionSize, int kind) {
    if (name.size() > std::numeric_limits<decltype(Line::nameSize)>::max() || extensionSize > name.size() ||
        extensionSize > std::numeric_limits<decltype(Line::extensionSize)>::max() ||
        names_.size() + name.size() > std::numeric_limits<decltype(Line::begin)>::max())
      return std::nullopt;
    Line line{static_cast<std::uint32_t>(names_.size()), static_cast<std::uint16_t>(name.size()),
              static_cast<std::uint8_t>(extensionSize), static_cast<std::uint8_t>(kind)};
    names_.append(name);
    return line;
  }
  void SetLines(std::vector<Line> lines) { lines_ = std::move(lines); }
  // Puts lines kept since before the list's own, at its top.
  void InsertLines(size_t at, const std::vector<Line>& lines) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(std::min(at, lines_.size())), lines.begin(), lines.end());
  }

  std::string_view Name(const Line& line) const { return std::string_view(names_).substr(line.begin, line.nameSize); }
  ListEntry Entry(const Line& line) const {
    const std::string_view name = Name(line);
    if (IsFileKind(line.kind)) return {name.substr(0, name.size() - line.extensionSize), line.kind, name};
    return {name, line.kind, {}};
  }

  size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  ListEntry operator[](size_t row) const { return Entry(lines_[row]); }

  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = ListEntry;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = ListEntry;

    Iterator(const ListEntries* list, size_t row) : list_(list), row_(row) {}
    ListEntry operator*() const { return (*list_)[row_]; }
    Iterator& operator++() {
      ++row_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return row_ == other.row_; }

   private:
    const ListEntries* list_;
    size_t row_;
  };
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, lines_.size()}; }

 private:
  std::string names_;
  std::vector<Line> lines_;
};

}  // namespace kivo::browser
