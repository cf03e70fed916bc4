// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kivo::gif {

// A read-only stream over GIF bytes held in memory. The reader takes bytes, not files, so tests and
// fuzzers reach it directly; the caller keeps the bytes alive while the stream is read.
class TGIFStream {
 public:
  TGIFStream(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit TGIFStream(std::string_view bytes)
      : data_(reinterpret_cast<const uint8_t*>(bytes.data())), size_(bytes.size()) {}

  size_t Size() const { return size_; }
  size_t Position() const { return position_; }
  size_t Remaining() const { return size_ - position_; }
  const uint8_t* Data() const { return data_; }

  // Moves to a position; a position past the end stands at the end.
  void SetPosition(size_t position) { position_ = position < size_ ? position : size_; }
  // Moves by a signed distance, clamped to the stream.
  void Seek(int64_t distance);

  // Copies up to `count` bytes; answers how many there were.
  size_t Read(void* buffer, size_t count);
  // One byte; false at the end of the stream.
  bool ReadByte(uint8_t& value) {
    if (position_ >= size_) return false;
    value = data_[position_++];
    return true;
  }
  // Skips up to `count` bytes; answers how many were skipped.
  size_t Skip(size_t count);

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace kivo::gif
