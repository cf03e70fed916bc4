// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>

namespace kivo::gif {

// The memory account of one image. Every part of an image that holds memory (frames, extensions,
// bitmaps, the decoder's buffers, canvases, the window's pictures) takes its bytes from the image's
// budget before it allocates them and gives them back when it lets them go, so no input can make an
// image hold more than the budget, however its bytes are arranged.
//
// Taking is thread-safe: an animation is composed on the painter's thread.
class TGIFBudget {
 public:
  explicit TGIFBudget(size_t limit) : limit_(limit) {}
  TGIFBudget(const TGIFBudget&) = delete;
  TGIFBudget& operator=(const TGIFBudget&) = delete;

  size_t Limit() const { return limit_; }
  size_t Used() const { return used_.load(std::memory_order_relaxed); }

  // Raises "Image too large to decode" when the bytes are not left; nothing is taken then.
  void Take(size_t bytes);
  void Give(size_t bytes) { used_.fetch_sub(bytes, std::memory_order_relaxed); }

 private:
  size_t limit_;
  std::atomic<size_t> used_{0};
};

// Bytes one holder has taken from a budget, given back when it goes. Without a budget (an item that
// belongs to no image) nothing is counted.
class TGIFCharge {
 public:
  TGIFCharge() = default;
  explicit TGIFCharge(TGIFBudget* budget, size_t bytes = 0) : budget_(budget) { Add(bytes); }
  TGIFCharge(TGIFCharge&& other) noexcept : budget_(other.budget_), bytes_(other.bytes_) { other.bytes_ = 0; }
  TGIFCharge& operator=(TGIFCharge&& other) noexcept;
  ~TGIFCharge() { Clear(); }

  size_t Bytes() const { return bytes_; }
  // Takes more; raises like TGIFBudget::Take.
  void Add(size_t bytes);
  // Gives back part, or all.
  void Give(size_t bytes);
  void Clear() { Give(bytes_); }

 private:
  TGIFBudget* budget_ = nullptr;
  size_t bytes_ = 0;
};

// What the heap really holds for a block of `bytes`: small blocks are rounded up to 16 bytes with
// an 8-byte header (32 at least), large ones are mapped in whole pages with a 16-byte header.
// Charging this much, not the bare size, keeps many small blocks from outgrowing their charge.
constexpr size_t GifHeapCost(size_t bytes) {
  if (bytes == 0) return 0;
  if (bytes >= (size_t{64} << 10)) return (bytes + 16 + 4095) & ~size_t{4095};
  const size_t block = (bytes + 8 + 15) & ~size_t{15};
  return block < 32 ? 32 : block;
}

// A slot in a list that grows by doubling, including the old array while it is copied to the new.
inline constexpr size_t kGifListSlotCost = 32;

}  // namespace kivo::gif
