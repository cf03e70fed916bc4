// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_stream.h"

#include <cstring>

namespace kivo::gif {

void TGIFStream::Seek(int64_t distance) {
  if (distance < 0) {
    uint64_t back = static_cast<uint64_t>(-distance);
    position_ = back > position_ ? 0 : position_ - static_cast<size_t>(back);
  } else {
    Skip(static_cast<size_t>(distance));
  }
}

size_t TGIFStream::Read(void* buffer, size_t count) {
  size_t n = count < Remaining() ? count : Remaining();
  if (n > 0) std::memcpy(buffer, data_ + position_, n);
  position_ += n;
  return n;
}

size_t TGIFStream::Skip(size_t count) {
  size_t n = count < Remaining() ? count : Remaining();
  position_ += n;
  return n;
}

}  // namespace kivo::gif
