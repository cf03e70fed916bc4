// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_budget.h"

#include "gif/gif_types.h"

namespace kivo::gif {

void TGIFBudget::Take(size_t bytes) {
  const size_t before = used_.fetch_add(bytes, std::memory_order_relaxed);
  if (bytes > limit_ || before > limit_ - bytes) {
    used_.fetch_sub(bytes, std::memory_order_relaxed);
    throw GIFException(gif_text::kTooLarge);
  }
}

TGIFCharge& TGIFCharge::operator=(TGIFCharge&& other) noexcept {
  if (this != &other) {
    Clear();
    budget_ = other.budget_;
    bytes_ = other.bytes_;
    other.bytes_ = 0;
  }
  return *this;
}

void TGIFCharge::Add(size_t bytes) {
  if (bytes == 0) return;
  if (budget_) budget_->Take(bytes);
  bytes_ += bytes;
}

void TGIFCharge::Give(size_t bytes) {
  if (bytes > bytes_) bytes = bytes_;
  if (budget_ && bytes > 0) budget_->Give(bytes);
  bytes_ -= bytes;
}

}  // namespace kivo::gif
