// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_animation.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "gif/gif_image.h"

namespace kivo::gif {

TGIFRect ScaleFrameRect(const TGIFSubImage& frame, int screenWidth, int screenHeight, const TGIFRect& target) {
  if (screenWidth <= 0 || screenHeight <= 0) return target;
  auto scale = [](int origin, int value, int size, int screen) {
    return origin + static_cast<int>(std::lround(static_cast<double>(value) * size / screen));
  };
  const int w = target.Width();
  const int h = target.Height();
  return TGIFRect{scale(target.left, frame.Left(), w, screenWidth), scale(target.top, frame.Top(), h, screenHeight),
                  scale(target.left, frame.Left() + frame.Width(), w, screenWidth),
                  scale(target.top, frame.Top() + frame.Height(), h, screenHeight)};
}

int FrameDelay(const TGIFSubImage& frame, const GifOptions& options, bool async) {
  int delay = frame.Delay();
  if (delay == 0) return options.defaultDelay;
  delay = std::max(delay, options.minimumDelay);
  if (!async) delay = std::min(delay, options.maximumDelay);
  return delay;
}

int FrameWaitMilliseconds(int delayUnits, const GifOptions& options, int animationSpeed, int paintMilliseconds) {
  int64_t speed = std::max(animationSpeed, 1);
  int64_t wait = int64_t{delayUnits} * options.delayUnitMs * 100 / speed - paintMilliseconds;
  return static_cast<int>(std::clamp<int64_t>(wait, 0, INT32_MAX));
}

namespace {

bool RestoresPrevious(const TGIFImage& image) {
  for (int i = 0; i < image.FrameCount(); ++i) {
    if (image.Frame(i)->Disposal() == dmPrevious) return true;
  }
  return false;
}

// 0xAARRGGBB of each of a palette's 256 slots; slots past its end are black.
void Argb(const std::vector<TGIFColor>& palette, uint32_t* colors) {
  for (int i = 0; i < 256; ++i) {
    TGIFColor c = i < static_cast<int>(palette.size()) ? palette[i] : TGIFColor{};
    colors[i] = 0xFF000000u | (uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue;
  }
}

}  // namespace

TGIFCanvas::TGIFCanvas(TGIFImage& image)
    : image_(image),
      width_(image.Width()),
      height_(image.Height()),
      charge_(&image.Budget(), GifHeapCost(static_cast<size_t>(width_) * height_ * sizeof(uint32_t)) *
                                   (RestoresPrevious(image) ? 2 : 1)),
      pixels_(static_cast<size_t>(width_) * height_, Background()) {}

uint32_t TGIFCanvas::Background() const {
  return image_.DrawBackgroundColor ? 0xFF000000u | (*image_.DrawBackgroundColor & 0xFFFFFFu) : 0u;
}

void TGIFCanvas::Clear() {
  std::fill(pixels_.begin(), pixels_.end(), Background());
  saved_.clear();
}

void TGIFCanvas::Render(int index) {
  if (index < 0 || index >= image_.FrameCount()) return;
  if (index <= current_) current_ = -1;
  while (current_ < index) {
    int next = current_ + 1;
    if (next == 0) {
      Clear();
    } else {
      Dispose(current_);
    }
    if (image_.Frame(next)->Disposal() == dmPrevious) saved_ = pixels_;
    Draw(next);
    current_ = next;
  }
}

void TGIFCanvas::Dispose(int index) {
  const TGIFSubImage& frame = *image_.Frame(index);
  switch (frame.Disposal()) {
    case dmBackground: {
      const int left = std::min<int>(frame.Left(), width_);
      const int top = std::min<int>(frame.Top(), height_);
      const int right = std::min(frame.Left() + frame.Width(), width_);
      const int bottom = std::min(frame.Top() + frame.Height(), height_);
      for (int y = top; y < bottom; ++y) {
        std::fill(pixels_.begin() + static_cast<ptrdiff_t>(y) * width_ + left,
                  pixels_.begin() + static_cast<ptrdiff_t>(y) * width_ + right, Background());
      }
      break;
    }
    case dmPrevious:
      if (saved_.size() == pixels_.size()) pixels_.swap(saved_);
      break;
    default:
      break;
  }
  saved_.clear();
}

template <class Opaque>
void TGIFCanvas::Paint(const TGIFSubImage& frame, const uint8_t* indexes, int width, int height, const uint32_t* colors,
                       Opaque opaque) {
  const int right = std::min(frame.Left() + width, width_);
  const int bottom = std::min(frame.Top() + height, height_);
  for (int y = frame.Top(); y < bottom; ++y) {
    const int row = y - frame.Top();
    const uint8_t* src = indexes + static_cast<size_t>(row) * width;
    uint32_t* dst = pixels_.data() + static_cast<size_t>(y) * width_;
    for (int x = frame.Left(); x < right; ++x) {
      const uint8_t index = src[x - frame.Left()];
      if (opaque(index, x - frame.Left(), row)) dst[x] = colors[index];
    }
  }
}

void TGIFCanvas::Draw(int index) {
  TGIFSubImage& frame = *image_.Frame(index);
  if (frame.Empty()) return;
  const bool transparent = image_.DrawOptions().Has(goTransparent);
  uint32_t colors[256];
  if (image_.Dithers()) {
    const TGIFBitmap& bitmap = frame.GetBitmap();
    Argb(bitmap.palette, colors);
    if (transparent && bitmap.HasMask()) {
      Paint(frame, bitmap.pixels.data(), bitmap.width, bitmap.height, colors,
            [&bitmap](uint8_t, int x, int row) { return !bitmap.Masked(x, row); });
    } else {
      Paint(frame, bitmap.pixels.data(), bitmap.width, bitmap.height, colors, [](uint8_t, int, int) { return true; });
    }
    return;
  }
  // The frame's own indexes and colours are what its plain bitmap would copy; drawing from them
  // spares each frame of an animation a second copy of its pixels.
  Argb(frame.Palette(), colors);
  const std::optional<uint8_t> key = transparent && frame.NeedMask() ? frame.TransparentIndex() : std::nullopt;
  if (key) {
    Paint(frame, frame.Data().data(), frame.Width(), frame.Height(), colors,
          [k = *key](uint8_t index, int, int) { return index != k; });
  } else {
    Paint(frame, frame.Data().data(), frame.Width(), frame.Height(), colors, [](uint8_t, int, int) { return true; });
  }
}

TGIFPlayback::TGIFPlayback(const TGIFImage& image, TGIFDrawOptions options)
    : image_(image), loop_(options.Has(goLoop)), plays_(1) {
  if (loop_) {
    std::optional<int> count = image.LoopCount();
    if (options.Has(goLoopContinously) || (count && *count == 0)) {
      plays_ = 0;
    } else if (count) {
      plays_ = *count + 1;
    }
  }
}

int TGIFPlayback::FindFrom(int index) const {
  for (int i = index; i < image_.FrameCount(); ++i) {
    if (!image_.Frame(i)->Empty()) return i;
  }
  return -1;
}

int TGIFPlayback::First() {
  loops_ = 0;
  current_ = FindFrom(0);
  return current_;
}

int TGIFPlayback::Next() {
  if (current_ < 0) return -1;
  int next = FindFrom(current_ + 1);
  if (next < 0) {
    if (plays_ != 0 && loops_ + 1 >= plays_) {
      current_ = -1;
      return -1;
    }
    ++loops_;
    next = FindFrom(0);
  }
  current_ = next;
  return current_;
}

}  // namespace kivo::gif
