// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What a GIF may cost: hostile files are refused with "Image too large to decode" or held within
// their image's budget, measured on the real heap while the image is read, turned into bitmaps and
// composed; real screenshots and long animations still fit with room to spare.
#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "gif/gif_animation.h"
#include "gif/gif_image.h"
#include "unit/gif/gif_hostile_samples.h"

using namespace kivo::gif;

// The heap of this test program, counted by its own operator new and delete. The codec allocates
// through them alone (the library's array, sized and nothrow forms call these two).
namespace {
std::atomic<size_t> heapInUse{0}, heapPeak{0};
}  // namespace

void* operator new(size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  const size_t now = heapInUse += malloc_usable_size(p);
  for (size_t top = heapPeak; now > top && !heapPeak.compare_exchange_weak(top, now);) {
  }
  return p;
}

void operator delete(void* p) noexcept {
  if (p != nullptr) heapInUse -= malloc_usable_size(p);
  std::free(p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace {

using namespace gif_hostile;

constexpr const char* kTooLarge = "Image too large to decode";
// What decoding holds whatever the input: the decoder's tables, the image's palette, and the data
// buffer the decoder keeps from frame to frame (up to 4 MB, but no larger than the most data one
// frame has had, a few hundred kilobytes in these tests).
constexpr size_t kFixedCost = size_t{512} << 10;

struct Cost {
  std::string error;  // empty when everything was read and shown
  int frames = 0;
  size_t peak = 0;      // heap bytes held at most
  size_t leftOver = 0;  // budget still taken once the image is cleared
};

// Reads the GIF and does what a viewer does with it: composes every frame, and with `everyBitmap`
// also makes every frame's bitmap, plain and then dithered, and composes the dithered frames.
Cost Measure(const std::string& bytes, const GifOptions& limits, bool everyBitmap) {
  const size_t base = heapPeak = heapInUse.load();
  Cost cost;
  {
    TGIFImage image(limits);
    auto compose = [&] {
      TGIFCanvas canvas(image);
      for (int i = 0; i < image.FrameCount(); ++i) canvas.Render(i);
    };
    try {
      image.LoadFromBytes(bytes);
      compose();
      if (everyBitmap) {
        for (int i = 0; i < image.FrameCount(); ++i) image.Frame(i)->GetBitmap();
        image.SetDrawOptions(TGIFDrawOptions(image.DrawOptions()).Exclude(goAutoDither));
        for (int i = 0; i < image.FrameCount(); ++i) image.Frame(i)->GetBitmap();
        compose();
      }
    } catch (const GIFException& e) {
      cost.error = e.what();
    }
    cost.frames = image.FrameCount();
    image.Clear();
    cost.leftOver = image.Budget().Used();
  }
  cost.peak = heapPeak - base;
  return cost;
}

GifOptions Budget(size_t megabytes) { return {.memoryBudget = megabytes << 20}; }

TEST(GifBudget, HostileFilesHoldNoMoreThanTheBudget) {
  struct Case {
    std::string name;
    std::string bytes;
    GifOptions limits;
    std::string error;
    size_t peak;  // the most the case may hold
  };
  const Case cases[] = {
      // About a hundred bytes whose four 5792 x 5792 frames a viewer would compose and save:
      // refused at the logical screen, before a pixel is held.
      {"4 frames on a 5792 x 5792 screen", FullScreenFrames(5792, 5792, 4), GifOptions{}, kTooLarge, kFixedCost},
      // Frames of 4 bytes, each about a kilobyte once read: reading stops at the frame limit.
      {"65,536 empty frames", EmptyFrames(65536), GifOptions{}, kTooLarge, size_t{8} << 20},
      {"full-screen frames past the budget", FullScreenFrames(2048, 2048, 16), Budget(32), kTooLarge, 0},
      {"frames that fit, but not their canvas and the saved canvas", FullScreenFrames(2048, 2048, 4), Budget(40),
       kTooLarge, 0},
      {"frames and canvases that fit", FullScreenFrames(2048, 2048, 4), Budget(96), "", 0},
      {"interlaced frames of width 0", FullScreenFrames(2048, 2048, 64, true), Budget(30), kTooLarge, 0},
      {"a comment of a million one-byte blocks", OneByteSubBlocks(1000000, false), Budget(16), kTooLarge, 0},
      {"application data of a million one-byte blocks", OneByteSubBlocks(1000000, true), Budget(16), kTooLarge, 0},
      {"a comment of 200,000 one-byte blocks", OneByteSubBlocks(200000, false), Budget(16), "", 0},
      {"application data of 200,000 one-byte blocks", OneByteSubBlocks(200000, true), Budget(8), kTooLarge, 0},
      {"the default limits", FullScreenFrames(4096, 4096, 16), GifOptions{}, kTooLarge, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Cost cost = Measure(c.bytes, c.limits, true);
    EXPECT_EQ(cost.error, c.error);
    EXPECT_LE(cost.peak, c.peak ? c.peak : c.limits.memoryBudget + kFixedCost);
    EXPECT_EQ(cost.leftOver, 0u);
  }
}

TEST(GifBudget, EveryBudgetHoldsWhereverReadingOrShowingStops) {
  // Frames, bitmaps, the decoder's buffers, the canvas and the saved canvas each meet the limit at
  // some budget on the way up; none may take memory it was not granted.
  GifBuilder gif;
  gif.Screen(300, 200, GifTestPalette(2)).Comment(std::string(5000, 'c'));
  GifFrameSpec zeroSize;
  zeroSize.interlaced = true;
  const GifFrameSpec full = GifFrame(0, 0, 300, 200, {});
  for (int i = 0; i < 3; ++i) {
    gif.Descriptor(zeroSize).Raw(std::string("\x02\x00", 2));
    gif.GraphicControl(3, 1, 0).Descriptor(full).Raw(std::string("\x02\x00", 2));
  }
  const std::string bytes = gif.Trailer().Bytes();
  bool refused = false, shown = false;
  for (size_t budget = 0; budget <= (size_t{3} << 19); budget += 16 << 10) {
    SCOPED_TRACE(budget);
    Cost cost = Measure(bytes, {.memoryBudget = budget}, true);
    EXPECT_LE(cost.peak, budget + kFixedCost);
    EXPECT_EQ(cost.leftOver, 0u);
    if (cost.error.empty()) {
      shown = true;
    } else {
      EXPECT_EQ(cost.error, kTooLarge);
      EXPECT_FALSE(shown) << "a larger budget refused what a smaller one held";
      refused = true;
    }
  }
  EXPECT_TRUE(refused);
  EXPECT_TRUE(shown);
}

TEST(GifOptions, RealScreenshotsAndLongAnimationsFitWithRoomToSpare) {
  const GifFrameSpec still = GifFrame(0, 0, 256, 224, GifTestPixels(256, 224, 4, 5), 2);
  GifFrameSpec interlaced = GifFrame(0, 0, 512, 478, GifTestPixels(512, 478, 256, 7));
  interlaced.interlaced = true;
  const std::string head = GifBuilder().Screen(512, 478, GifTestPalette(256)).Loop(0).Bytes();
  const std::string frame =
      GifBuilder("").GraphicControl(1, 4, 3).Frame(GifFrame(0, 0, 512, 478, GifTestPixels(512, 478, 256, 8))).Bytes();
  std::string animation = head;
  for (int i = 0; i < 300; ++i) animation += frame;
  const std::pair<std::string, int> cases[] = {
      {GifBuilder().Screen(256, 224, GifTestPalette(4)).Frame(still).Trailer().Bytes(), 1},
      {GifBuilder().Screen(512, 478, GifTestPalette(256)).Frame(interlaced).Trailer().Bytes(), 1},
      {animation + ";", 300},
  };
  for (const auto& [bytes, frames] : cases) {
    SCOPED_TRACE(frames);
    Cost cost = Measure(bytes, GifOptions{}, false);
    EXPECT_EQ(cost.error, "");
    EXPECT_EQ(cost.frames, frames);
    EXPECT_LT(cost.peak, GifOptions{}.memoryBudget / 3);
  }
}

}  // namespace
