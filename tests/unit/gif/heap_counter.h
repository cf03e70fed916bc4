// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

// The heap of the GIF test program, counted by its own operator new and delete (the codec allocates
// through them alone), so a test can see what decoding really held at its peak.
namespace heap_counter {

size_t InUse();
// The most held at once since the last ResetPeak.
size_t Peak();
void ResetPeak();

// The peak above what was held when it was made.
class PeakAbove {
 public:
  PeakAbove() : base_(InUse()) { ResetPeak(); }
  size_t Bytes() const { return Peak() - base_; }

 private:
  size_t base_;
};

}  // namespace heap_counter
