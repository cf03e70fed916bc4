// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the GIF reader, then makes every frame's bitmap (plain and dithered)
// and composes the animation canvas, as the preview would. The heap this takes is counted by the
// target's own operator new: it may pass the image's budget by no more than the decoder's fixed
// buffers, and once the image is cleared every byte taken from the budget must have been given back.
#include <malloc.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string_view>

#include "gif/gif_animation.h"
#include "gif/gif_image.h"

using namespace kivo::gif;

namespace {

std::atomic<size_t> heapInUse{0};
std::atomic<size_t> heapPeak{0};

// The bytes the C library holds for a block: Windows' own call for it is _msize.
size_t BlockSize(void* p) {
#ifdef _WIN32
  return _msize(p);
#else
  return malloc_usable_size(p);
#endif
}

void* Counted(void* p) {
  if (p == nullptr) throw std::bad_alloc();
  const size_t size = BlockSize(p);
  const size_t now = heapInUse.fetch_add(size) + size;
  size_t top = heapPeak.load();
  while (now > top && !heapPeak.compare_exchange_weak(top, now)) {
  }
  return p;
}

void Release(void* p) {
  if (p == nullptr) return;
  heapInUse.fetch_sub(BlockSize(p));
  std::free(p);
}

// Tighter bounds than a viewer's keep each input fast; the refusals are the same. The counts are
// within reach of inputs of a few kilobytes.
constexpr GifOptions kLimits{
    .maxPixels = int64_t{1} << 16, .maxFrames = 256, .maxExtensions = 512, .memoryBudget = size_t{2} << 20};
// The decoder's tables, the image's palette, and the data buffer the decoder keeps from frame to
// frame, no larger than the most data one frame of these few-kilobyte inputs has had.
constexpr size_t kFixedCost = size_t{512} << 10;

void RenderAll(TGIFImage& image) {
  try {
    TGIFCanvas canvas(image);
    for (int i = 0; i < image.FrameCount() && i < 64; ++i) {
      try {
        canvas.Render(i);
      } catch (const GIFException&) {
      }
    }
  } catch (const GIFException&) {
  }
  for (int i = 0; i < image.FrameCount() && i < 64; ++i) {
    TGIFSubImage& frame = *image.Frame(i);
    try {
      const TGIFBitmap& bitmap = frame.GetBitmap();
      if (bitmap.pixels.size() != static_cast<size_t>(bitmap.width) * bitmap.height) __builtin_trap();
    } catch (const GIFException&) {
    }
  }
}

void ReadAndShow(const uint8_t* data, size_t size) {
  TGIFImage image(kLimits);
  try {
    image.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const GIFException&) {
  }
  for (int i = 0; i < image.FrameCount(); ++i) {
    const TGIFSubImage& frame = *image.Frame(i);
    if (!frame.Data().empty() && frame.Data().size() != static_cast<size_t>(frame.Width()) * frame.Height()) {
      __builtin_trap();
    }
  }
  RenderAll(image);
  image.SetDrawOptions(TGIFDrawOptions(image.DrawOptions()).Exclude(goAutoDither));  // dither everything
  RenderAll(image);
  image.Clear();
  if (image.Budget().Used() != 0) __builtin_trap();
}

}  // namespace

// Every form that plain memory goes through, so no block is made by one allocator and freed by another.
void* operator new(size_t size) { return Counted(std::malloc(size == 0 ? 1 : size)); }
void* operator new[](size_t size) { return Counted(std::malloc(size == 0 ? 1 : size)); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return Counted(std::malloc(size == 0 ? 1 : size));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const size_t base = heapInUse.load();
  heapPeak.store(base);
  ReadAndShow(data, size);
  if (heapPeak.load() - base > kLimits.memoryBudget + kFixedCost) __builtin_trap();
  return 0;
}
