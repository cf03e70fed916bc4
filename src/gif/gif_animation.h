// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "gif/gif_budget.h"
#include "gif/gif_options.h"
#include "gif/gif_types.h"

namespace kivo::gif {

class TGIFImage;
class TGIFSubImage;

// What a window-side painter needs to show and animate a TGIFImage, without any toolkit: the
// frames composed on a 32-bit canvas of the logical screen's size with their disposal methods, the
// frame delays, and the order in which frames are shown including loops.

struct TGIFRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const TGIFRect&) const = default;
};

// A frame's place when the logical screen is stretched onto `target`: each edge scaled and rounded.
TGIFRect ScaleFrameRect(const TGIFSubImage& frame, int screenWidth, int screenHeight, const TGIFRect& target);

// A frame's delay in hundredths of a second: its own when not 0, raised to the options' minimum
// and, for a painter that does not run on its own thread, lowered to their maximum; their default
// without one.
int FrameDelay(const TGIFSubImage& frame, const GifOptions& options, bool async);
// How long to wait after a frame: delay units of the options' unit, scaled by 100 / speed (per
// cent, below 1 counts as 1), minus the time the frame took to paint; never negative.
int FrameWaitMilliseconds(int delayUnits, const GifOptions& options, int animationSpeed, int paintMilliseconds);

// The frames composed as a viewer shows them. Pixels are 0xAARRGGBB, not premultiplied; alpha is
// 0 or 255. Parts never painted are transparent (or the image's DrawBackgroundColor when set).
//
// The canvas is charged to the image's budget when it is made, twice over when a frame of the image
// restores what was under it, so composing never takes memory of its own: an animation's frames are
// composed on the painter's thread, where a refusal could not be reported. Frames are drawn from
// their own pixels; only a dithering image draws through each frame's bitmap, which must be made
// (GetBitmap) before frames are composed away from the thread that loaded the image.
class TGIFCanvas {
 public:
  // Raises "Image too large to decode" when the image's budget cannot hold the canvas.
  explicit TGIFCanvas(TGIFImage& image);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  // Index of the frame last composed, -1 before the first.
  int Current() const { return current_; }

  // Composes frame `index`: frame 0 starts from a clear canvas; a following frame first undoes
  // the frame before it by that frame's disposal method. Any other index is reached by composing
  // the frames up to it. Raises "No global or local color table defined" like GetBitmap.
  void Render(int index);

 private:
  void Clear();
  void Dispose(int index);
  void Draw(int index);
  // Paints rows of colour indexes at the frame's place, the pixels `opaque(index, x, row)` keeps.
  template <class Opaque>
  void Paint(const TGIFSubImage& frame, const uint8_t* indexes, int width, int height, const uint32_t* colors,
             Opaque opaque);
  uint32_t Background() const;

  TGIFImage& image_;
  int width_;
  int height_;
  TGIFCharge charge_;
  std::vector<uint32_t> pixels_;
  std::vector<uint32_t> saved_;  // the canvas before a frame whose disposal restores it
  int current_ = -1;
};

// Which frame comes next. Without goLoop the frames play once. With goLoop an animation plays
// forever under goLoopContinously or a loop count of 0, else 1 + its loop count times (once when it
// has no loop extension). Frames without pixels are passed over.
class TGIFPlayback {
 public:
  TGIFPlayback(const TGIFImage& image, TGIFDrawOptions options);
  // The first frame to show, -1 when there is none.
  int First();
  // The frame after the current one, -1 when the animation has ended.
  int Next();
  int Current() const { return current_; }
  // How many times the animation has gone back to its first frame.
  int Loops() const { return loops_; }

 private:
  int FindFrom(int index) const;

  const TGIFImage& image_;
  bool loop_;
  int plays_;  // total number of plays; 0 forever
  int current_ = -1;
  int loops_ = 0;
};

}  // namespace kivo::gif
