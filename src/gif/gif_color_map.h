// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "gif/gif_stream.h"
#include "gif/gif_types.h"

namespace kivo::gif {

class TGIFHeader;
class TGIFSubImage;

// A colour table of up to 256 colours, in file order red, green, blue.
class TGIFColorMap {
 public:
  virtual ~TGIFColorMap() = default;

  int Count() const { return count_; }
  static constexpr int Capacity() { return 256; }
  // The colour of an index; indexes past the table read as black, as a display without that entry.
  TGIFColor Color(int index) const { return index >= 0 && index < count_ ? colors_[index] : TGIFColor{}; }
  // All 256 slots; entries from Count() on are black.
  const std::array<TGIFColor, 256>& Colors() const { return colors_; }
  bool Sorted() const { return sorted_; }

  // Appends a colour; false when the table is full.
  bool Add(TGIFColor color);
  void Clear();
  // Replaces the table by `count` colours (1 to 256) read from the stream.
  void LoadFromStream(TGIFStream& stream, int count);

 protected:
  // A change of the colours drops the palettes made from them.
  virtual void Changed() {}

 private:
  std::array<TGIFColor, 256> colors_{};
  int count_ = 0;
  bool sorted_ = false;
};

// The header's colour table; a change drops the image's cached palette.
class TGIFGlobalColorMap : public TGIFColorMap {
 public:
  explicit TGIFGlobalColorMap(TGIFHeader* header) : header_(header) {}
  void Warning(TGIFSeverity severity, const std::string& message);

 protected:
  void Changed() override;

 private:
  TGIFHeader* header_;
};

// A frame's colour table; a change drops the frame's cached palette and bitmap.
class TGIFLocalColorMap : public TGIFColorMap {
 public:
  explicit TGIFLocalColorMap(TGIFSubImage* frame) : frame_(frame) {}

 protected:
  void Changed() override;

 private:
  TGIFSubImage* frame_;
};

}  // namespace kivo::gif
