// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_bitmap.h"

#include <cstring>
#include <memory>

#include "gif/gif_dither.h"
#include "gif/gif_image.h"
#include "gif/gif_sub_image.h"

namespace kivo::gif {

namespace {

// The plain copy: the frame's own indexes with its palette, and the mask of transparent pixels.
TGIFBitmap CopyFrame(const TGIFSubImage& frame, bool wantMask) {
  TGIFBitmap bitmap;
  if (frame.Empty()) return bitmap;
  bitmap.palette = frame.Palette();
  const int width = frame.Width();
  const int height = frame.Height();
  bitmap.width = width;
  bitmap.height = height;
  bitmap.pixels = frame.Data();

  std::optional<uint8_t> transparentIndex = wantMask ? frame.TransparentIndex() : std::nullopt;
  if (!transparentIndex) return bitmap;
  const int stride = MaskStride(width);
  std::vector<uint8_t> mask(static_cast<size_t>(stride) * height, 0);
  bool anyTransparent = false;
  TGIFImage* image = frame.Image();
  for (int y = 0; y < height; ++y) {
    if (image && y % 32 == 0) image->Progress(TGIFProgressStage::Running, y * 100 / height, gif_text::kRendering);
    const uint8_t* row = bitmap.pixels.data() + static_cast<size_t>(y) * width;
    uint8_t* bits = mask.data() + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      if (row[x] == *transparentIndex) {
        bits[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
        anyTransparent = true;
      }
    }
  }
  if (anyTransparent) {
    bitmap.mask = std::move(mask);
    bitmap.maskStride = stride;
  }
  return bitmap;
}

}  // namespace

std::vector<TGIFColor> TGIFSubImage::Palette() const {
  if (colorMap_.Count() > 0) return {colorMap_.Colors().begin(), colorMap_.Colors().begin() + colorMap_.Count()};
  if (!image_) throw GIFException(gif_text::kNoColorTable);
  return image_->Palette();
}

const TGIFBitmap& TGIFSubImage::GetBitmap() {
  if (bitmap_) return *bitmap_;
  if (image_) image_->Progress(TGIFProgressStage::Starting, 0, gif_text::kRendering);
  bool dither = image_ && image_->Dithers();
  // Charged before it is made: the bitmap, its pixels, palette and mask, and while dithering its six
  // rows of errors. A mask that finds no transparent pixel is dropped, and its charge with it.
  const size_t width = Empty() ? 0 : static_cast<size_t>(Width());
  const size_t height = Empty() ? 0 : static_cast<size_t>(Height());
  const size_t mask =
      needMask_ && TransparentIndex() ? GifHeapCost(static_cast<size_t>(MaskStride(Width())) * height) : 0;
  TGIFCharge charge(Budget(), GifHeapCost(sizeof(TGIFBitmap)) + GifHeapCost(width * height) +
                                  GifHeapCost(256 * sizeof(TGIFColor)) + mask);
  TGIFCharge errors(Budget(), dither ? 6 * GifHeapCost((width + 2) * sizeof(int)) : 0);
  auto bitmap = std::make_unique<TGIFBitmap>(dither ? DitherFrame(*this, needMask_) : CopyFrame(*this, needMask_));
  if (!bitmap->HasMask()) charge.Give(mask);
  bitmapCharge_ = std::move(charge);
  bitmap_ = std::move(bitmap);
  if (image_) image_->Progress(TGIFProgressStage::Ending, 100, gif_text::kRendering);
  return *bitmap_;
}

}  // namespace kivo::gif
