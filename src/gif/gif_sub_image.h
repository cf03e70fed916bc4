// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "gif/gif_bitmap.h"
#include "gif/gif_budget.h"
#include "gif/gif_color_map.h"
#include "gif/gif_extension.h"
#include "gif/gif_item.h"

namespace kivo::gif {

class TGIFSubImage;

// The extensions in front of one frame.
class TGIFExtensionList : public TGIFList {
 public:
  TGIFExtensionList(TGIFImage* image, TGIFSubImage* frame) : TGIFList(image), frame_(frame) {}
  TGIFExtension* Extension(int index) const { return static_cast<TGIFExtension*>(Item(index)); }
  void LoadFromStream(TGIFStream& stream);

 private:
  TGIFSubImage* frame_;
};

// One frame: image descriptor, local colour map, one colour index per pixel, its extensions. The
// frame itself, its pixels and its bitmap are charged to its image's budget.
class TGIFSubImage : public TGIFItem {
 public:
  // The image descriptor as it stands in the file.
  struct Descriptor {
    uint8_t separator = ',';
    uint16_t left = 0, top = 0, width = 0, height = 0;
    uint8_t packedFields = 0;  // bit 7 local colour map, bit 6 interlace, bits 0-2 map size
  };

  explicit TGIFSubImage(TGIFImage* image);
  ~TGIFSubImage() override;

  void LoadFromStream(TGIFStream& stream) override;
  void Clear();

  const Descriptor& ImageDescriptor() const { return descriptor_; }
  int Left() const { return descriptor_.left; }
  int Top() const { return descriptor_.top; }
  int Width() const { return descriptor_.width; }
  int Height() const { return descriptor_.height; }
  bool Interlaced() const { return (descriptor_.packedFields & 0x40) != 0; }
  // No pixels, or a width or height of 0.
  bool Empty() const { return data_.empty() || descriptor_.width == 0 || descriptor_.height == 0; }

  // Colour indexes, Width() x Height(), rows top to bottom in display order.
  const std::vector<uint8_t>& Data() const { return data_; }
  uint8_t Pixel(int x, int y) const { return data_[static_cast<size_t>(y) * descriptor_.width + x]; }

  TGIFLocalColorMap& ColorMap() { return colorMap_; }
  const TGIFLocalColorMap& ColorMap() const { return colorMap_; }
  // The local map when it has colours, else the global map when it has colours, else the (empty)
  // local map.
  const TGIFColorMap& ActiveColorMap() const;

  TGIFExtensionList& Extensions() { return extensions_; }
  const TGIFExtensionList& Extensions() const { return extensions_; }
  TGIFGraphicControlExtension* GraphicControlExtension() const { return gce_; }
  void SetGraphicControlExtension(TGIFGraphicControlExtension* gce) { gce_ = gce; }

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { transparent_ = value; }
  // The transparent colour index when the frame is transparent and has its control extension.
  std::optional<uint8_t> TransparentIndex() const;
  // Delay in hundredths of a second and disposal from the control extension (0 and dmNone without).
  int Delay() const;
  TDisposalMethod Disposal() const;

  // Rendering (gif_bitmap.cpp): the frame as an 8-bit bitmap with its palette and mask, made on
  // first use and kept. Dithered to the web palette when the image dithers.
  const TGIFBitmap& GetBitmap();
  // The colours the frame's bitmap uses (local map, else the image's palette); raises "No global
  // or local color table defined" when there are none.
  std::vector<TGIFColor> Palette() const;
  bool NeedMask() const { return needMask_; }
  void SetNeedMask(bool value);
  // Drops the cached palette and bitmap (after a colour map change or new drawing options).
  void PaletteChanged();

  // Reads the pixel data (LZW) for the descriptor in place. A frame above the image's maxPixels, or
  // pixels the budget cannot hold, raise "Image too large to decode".
  void Decompress(TGIFStream& stream);

 private:
  TGIFBudget* Budget() const;

  TGIFCharge charge_;  // the frame itself and its place in the list
  TGIFCharge dataCharge_;
  TGIFCharge bitmapCharge_;
  Descriptor descriptor_;
  TGIFLocalColorMap colorMap_;
  std::vector<uint8_t> data_;
  TGIFExtensionList extensions_;
  bool transparent_ = false;
  TGIFGraphicControlExtension* gce_ = nullptr;
  std::unique_ptr<TGIFBitmap> bitmap_;
  bool needMask_ = true;
};

// The frames of an image.
class TGIFImageList : public TGIFList {
 public:
  using TGIFList::TGIFList;
  TGIFSubImage* Frame(int index) const { return static_cast<TGIFSubImage*>(Item(index)); }
  void LoadFromStream(TGIFStream& stream);
};

}  // namespace kivo::gif
