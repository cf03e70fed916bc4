// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "unit/gif/heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> inUse{0};
std::atomic<size_t> peak{0};

void* Counted(void* p) {
  if (p == nullptr) return nullptr;
  const size_t size = malloc_usable_size(p);
  const size_t now = inUse.fetch_add(size, std::memory_order_relaxed) + size;
  size_t top = peak.load(std::memory_order_relaxed);
  while (now > top && !peak.compare_exchange_weak(top, now, std::memory_order_relaxed)) {
  }
  return p;
}

void Release(void* p) {
  if (p == nullptr) return;
  inUse.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
  std::free(p);
}

void* Allocate(size_t size) {
  void* p = Counted(std::malloc(size == 0 ? 1 : size));
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

void* AllocateAligned(size_t size, std::align_val_t align) {
  const size_t alignment = static_cast<size_t>(align);
  void* p = Counted(std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment));
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace

namespace heap_counter {

size_t InUse() { return inUse.load(std::memory_order_relaxed); }
size_t Peak() { return peak.load(std::memory_order_relaxed); }
void ResetPeak() { peak.store(InUse(), std::memory_order_relaxed); }

}  // namespace heap_counter

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Counted(std::malloc(size == 0 ? 1 : size)); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Counted(std::malloc(size == 0 ? 1 : size)); }
void* operator new(size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void* operator new[](size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { Release(p); }
