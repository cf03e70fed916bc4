// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_item.h"

#include "gif/gif_image.h"

namespace kivo::gif {

void TGIFItem::Warning(TGIFSeverity severity, const std::string& message) {
  if (image_) image_->Warning(this, severity, message);
}

void TGIFList::Warning(TGIFSeverity severity, const std::string& message) {
  if (image_) image_->Warning(nullptr, severity, message);
}

void TGIFBlock::LoadFromStream(TGIFStream& stream) { ReadExact(stream, data_.data(), data_.size()); }

void ReadExact(TGIFStream& stream, void* buffer, size_t count) {
  if (stream.Read(buffer, count) < count) throw GIFException(gif_text::kPrematureEnd);
}

uint8_t ReadExactByte(TGIFStream& stream) {
  uint8_t value;
  if (!stream.ReadByte(value)) throw GIFException(gif_text::kPrematureEnd);
  return value;
}

uint16_t ReadWord(TGIFStream& stream) {
  uint8_t bytes[2];
  ReadExact(stream, bytes, 2);
  return WordAt(bytes);
}

}  // namespace kivo::gif
