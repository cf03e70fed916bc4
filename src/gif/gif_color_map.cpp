// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_color_map.h"

#include "gif/gif_image.h"
#include "gif/gif_item.h"

namespace kivo::gif {

bool TGIFColorMap::Add(TGIFColor color) {
  if (count_ >= Capacity()) return false;
  colors_[count_++] = color;
  sorted_ = false;
  Changed();
  return true;
}

void TGIFColorMap::Clear() {
  colors_.fill(TGIFColor{});
  count_ = 0;
  sorted_ = false;
  Changed();
}

void TGIFColorMap::LoadFromStream(TGIFStream& stream, int count) {
  uint8_t bytes[256 * 3];
  count = count < 0 ? 0 : (count > Capacity() ? Capacity() : count);
  ReadExact(stream, bytes, static_cast<size_t>(count) * 3);
  colors_.fill(TGIFColor{});
  for (int i = 0; i < count; ++i) colors_[i] = TGIFColor{bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
  count_ = count;
  sorted_ = false;
  Changed();
}

void TGIFGlobalColorMap::Warning(TGIFSeverity severity, const std::string& message) {
  if (header_) header_->Warning(severity, message);
}

void TGIFGlobalColorMap::Changed() {
  if (header_ && header_->Image()) header_->Image()->PaletteChanged();
}

void TGIFLocalColorMap::Changed() {
  if (frame_) frame_->PaletteChanged();
}

}  // namespace kivo::gif
