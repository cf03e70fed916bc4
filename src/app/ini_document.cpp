// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/ini_document.h"

#include "common/text.h"

namespace kivo::app {

std::string_view IniDocument::TextOf(std::string_view bytes) {
  // Read as part of the first line, the mark would make a header there no header.
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  return bytes.starts_with(kUtf8Mark) ? bytes.substr(kUtf8Mark.size()) : bytes;
}

IniDocument::IniDocument(std::string bytes)
    : bytes_(std::move(bytes)), textBegin_(bytes_.size() - TextOf(bytes_).size()) {
  Parse();
}

void IniDocument::Parse() {
  Section* current = nullptr;
  const std::string_view text(bytes_);
  size_t pos = textBegin_;
  while (pos < text.size()) {
    size_t newline = text.find('\n', pos);
    size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    size_t end = newline == std::string_view::npos ? text.size() : newline;
    if (end > pos && text[end - 1] == '\r') --end;
    std::string_view line = text.substr(pos, end - pos);
    std::string_view trimmed = common::TrimBlanks(line);

    if (!trimmed.empty() && trimmed.front() == '[') {
      // Up to the last ']': game names such as "Title (U) [!]" carry brackets of their own.
      size_t close = trimmed.rfind(']');
      std::string_view name =
          common::TrimBlanks(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
      auto [it, added] = sections_.try_emplace(common::LowerAscii(name));
      // A repeated section header: its lines belong to no section that can be read or written.
      current = added ? &it->second : nullptr;
      if (current != nullptr) current->contentEnd = next;
    } else if (current != nullptr && !trimmed.empty()) {
      current->contentEnd = next;
      size_t equals = line.find('=');
      if (equals != std::string_view::npos) {
        Line entry;
        entry.begin = pos;
        entry.end = end;
        std::string_view key = common::TrimBlanks(line.substr(0, equals));
        entry.keyBegin = static_cast<size_t>(key.data() - text.data());
        entry.keyEnd = entry.keyBegin + key.size();
        std::string_view value = common::TrimBlanks(line.substr(equals + 1));
        entry.valueBegin = value.empty() ? end : static_cast<size_t>(value.data() - text.data());
        entry.valueEnd = entry.valueBegin + value.size();
        current->keys.try_emplace(common::LowerAscii(key), entry);
      }
    }
    pos = next;
  }
}

namespace {

// A name lower-cased into a buffer on the stack when it fits, on the heap otherwise.
class FoldedName {
 public:
  explicit FoldedName(std::string_view name) {
    if (name.size() <= sizeof(buffer_)) {
      for (size_t i = 0; i < name.size(); ++i) buffer_[i] = common::LowerAscii(name[i]);
      view_ = std::string_view(buffer_, name.size());
    } else {
      heap_ = common::LowerAscii(name);
      view_ = heap_;
    }
  }
  std::string_view View() const { return view_; }

 private:
  char buffer_[256];
  std::string heap_;
  std::string_view view_;
};

// Ends the text's last line before a line is appended. A last line ending in a lone CR gets the LF
// that completes it: a new CR LF after it would leave the CR inside the line, where it would become
// part of a section name.
void EndLastLine(std::string& text, std::string_view eol) {
  if (text.empty() || text.back() == '\n') return;
  if (text.back() == '\r') {
    text += '\n';
  } else {
    text += eol;
  }
}

}  // namespace

bool IniDocument::CanHoldSection(std::string_view name) {
  return common::TrimBlanks(name).size() == name.size() && name.find_first_of("\r\n") == std::string_view::npos;
}

bool IniDocument::CanHoldKey(std::string_view name) {
  return CanHoldSection(name) && name.find('=') == std::string_view::npos && !name.starts_with('[');
}

bool IniDocument::HasSection(std::string_view section) const {
  return CanHoldSection(section) && sections_.contains(FoldedName(section).View());
}

const IniDocument::Line* IniDocument::FindLine(std::string_view section, std::string_view key) const {
  // A folder scan asks for every file; names that fit, nearly all, pass these checks at once.
  if (!CanHoldSection(section) || !CanHoldKey(key)) return nullptr;
  auto s = sections_.find(FoldedName(section).View());
  if (s == sections_.end()) return nullptr;
  auto k = s->second.keys.find(FoldedName(key).View());
  return k == s->second.keys.end() ? nullptr : &k->second;
}

bool IniDocument::Find(std::string_view section, std::string_view key, std::string_view& value) const {
  const Line* line = FindLine(section, key);
  if (line == nullptr) return false;
  value = std::string_view(bytes_).substr(line->valueBegin, line->valueEnd - line->valueBegin);
  return true;
}

size_t IniDocument::BytesDeciding(std::string_view section, std::string_view key) const {
  if (!CanHoldSection(section) || !CanHoldKey(key)) return 0;
  const Line* line = FindLine(section, key);
  if (line == nullptr) return std::string::npos;
  // The line ends at its line feed (a CR before it is part of the break); more bytes after a last
  // line without one would lengthen its value.
  const size_t lineFeed = bytes_.find('\n', line->end);
  return lineFeed == std::string::npos ? std::string::npos : lineFeed + 1;
}

std::string_view IniDocument::LineEnd() const {
  // Follow the file's own convention; a new file gets the platform's plain line feed.
  size_t newline = bytes_.find('\n');
  if (newline != std::string::npos && newline > 0 && bytes_[newline - 1] == '\r') return "\r\n";
  return "\n";
}

std::string IniDocument::WithValue(std::string_view section, std::string_view key, std::string_view value) const {
  const std::string_view eol = LineEnd();
  std::string result;
  result.reserve(bytes_.size() + section.size() + key.size() + value.size() + 8);

  auto s = sections_.find(FoldedName(section).View());
  if (s == sections_.end()) {
    result = bytes_;
    if (result.size() > textBegin_) {
      EndLastLine(result, eol);
      result += eol;
    }
    result.append("[").append(section).append("]").append(eol);
    result.append(key).append("=").append(value).append(eol);
    return result;
  }

  auto k = s->second.keys.find(FoldedName(key).View());
  if (k != s->second.keys.end()) {
    const Line& line = k->second;
    result.append(bytes_, 0, line.begin);
    result.append(bytes_, line.keyBegin, line.keyEnd - line.keyBegin).append("=").append(value);
    result.append(bytes_, line.end, std::string::npos);
    return result;
  }

  size_t at = s->second.contentEnd;
  result.append(bytes_, 0, at);
  EndLastLine(result, eol);
  result.append(key).append("=").append(value).append(eol);
  result.append(bytes_, at, std::string::npos);
  return result;
}

}  // namespace kivo::app
