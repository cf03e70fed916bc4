// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gif/gif_budget.h"
#include "gif/gif_color_map.h"
#include "gif/gif_item.h"
#include "gif/gif_options.h"
#include "gif/gif_sub_image.h"

namespace kivo::gif {

// Signature, version, logical screen descriptor and global colour map.
class TGIFHeader : public TGIFItem {
 public:
  // The logical screen descriptor as it stands in the file.
  struct ScreenDescriptor {
    uint16_t width = 0, height = 0;
    uint8_t packedFields = 0;  // bit 7 global colour map, bits 0-2 its size
    uint8_t backgroundColorIndex = 0;
    uint8_t aspectRatio = 0;
  };

  explicit TGIFHeader(TGIFImage* image) : TGIFItem(image), colorMap_(this) {}
  void LoadFromStream(TGIFStream& stream) override;
  void Clear();

  const std::string& Signature() const { return signature_; }      // "GIF" in any case
  const std::string& VersionText() const { return versionText_; }  // as stored, not validated
  TGIFVersion Version() const;
  const ScreenDescriptor& LogicalScreenDescriptor() const { return screen_; }
  int Width() const { return screen_.width; }
  int Height() const { return screen_.height; }
  int BackgroundColorIndex() const { return screen_.backgroundColorIndex; }
  TGIFGlobalColorMap& ColorMap() { return colorMap_; }
  const TGIFGlobalColorMap& ColorMap() const { return colorMap_; }

 private:
  std::string signature_;
  std::string versionText_;
  ScreenDescriptor screen_;
  TGIFGlobalColorMap colorMap_;
};

// The trailer byte after the frames.
class TGIFTrailer : public TGIFItem {
 public:
  using TGIFItem::TGIFItem;
  // Reads one byte; a byte other than ";" is reported, the end of the stream is accepted.
  void LoadFromStream(TGIFStream& stream) override;
};

// A whole GIF: header, frames and the options it is drawn with.
//
// Loading replaces the image; an error (GIFException) leaves it partly loaded, so a holder that
// must keep its previous picture loads into a new TGIFImage and swaps on success.
//
// An image is read and drawn under its GifOptions: a screen or frame of too many pixels, too many
// frames or extensions, or parts that together would hold more than the memory budget raise "Image
// too large to decode". Everything made from the image later (bitmaps, canvases, the window's
// pictures) takes its memory from the same Budget().
class TGIFImage {
 public:
  explicit TGIFImage(const GifOptions& options = GifOptions{});
  ~TGIFImage();
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;

  void LoadFromStream(TGIFStream& stream);
  void LoadFromBytes(std::string_view bytes);
  void Clear();

  TGIFHeader& Header() { return header_; }
  const TGIFHeader& Header() const { return header_; }
  TGIFImageList& Images() { return images_; }
  const TGIFImageList& Images() const { return images_; }
  int FrameCount() const { return images_.Count(); }
  TGIFSubImage* Frame(int index) const { return images_.Frame(index); }
  bool Empty() const { return images_.Count() == 0; }
  // The logical screen's size.
  int Width() const { return header_.Width(); }
  int Height() const { return header_.Height(); }

  // The image's palette: the global map's colours, else frame 0's palette. Raises "No global or
  // local color table defined" when no colour map is usable.
  const std::vector<TGIFColor>& Palette();
  // Drops the cached palette and every frame's cached bitmap.
  void PaletteChanged();

  // Loop count of the first loop extension (0: forever); none without one.
  std::optional<int> LoopCount() const;

  // Whether frames are dithered to the web palette when drawn: goDither, and goAutoDither only on
  // palette screens.
  bool Dithers() const;

  TGIFDrawOptions DrawOptions() const { return drawOptions_; }
  void SetDrawOptions(TGIFDrawOptions options);
  int32_t AnimationSpeed;                       // per cent; the options' at first
  std::optional<uint32_t> DrawBackgroundColor;  // 0xRRGGBB; none at first

  TGIFWarning OnWarning;
  TGIFProgress OnProgress;
  // Passes a problem to OnWarning when one is set.
  void Warning(TGIFItem* sender, TGIFSeverity severity, const std::string& message);
  void Progress(TGIFProgressStage stage, int percent, const char* message);

  const GifOptions& Options() const { return options_; }
  TGIFBudget& Budget() { return budget_; }
  const TGIFBudget& Budget() const { return budget_; }
  // Reading's count bounds: each raises "Image too large to decode" when the frame or extension
  // about to be read is one too many.
  void AdmitFrame() const;
  void AdmitExtension();

 private:
  // First, so it outlives every part that gives memory back to it.
  GifOptions options_;
  TGIFBudget budget_;
  TGIFImageList images_;
  TGIFHeader header_;
  TGIFDrawOptions drawOptions_;
  std::optional<std::vector<TGIFColor>> palette_;
  bool makingPalette_ = false;
  int extensionsRead_ = 0;
};

}  // namespace kivo::gif
