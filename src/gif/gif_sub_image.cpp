// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_sub_image.h"

#include <cstring>

#include "gif/gif_image.h"
#include "gif/gif_lzw.h"

namespace kivo::gif {

TGIFSubImage::TGIFSubImage(TGIFImage* image)
    : TGIFItem(image),
      charge_(Budget()),
      dataCharge_(Budget()),
      bitmapCharge_(Budget()),
      colorMap_(this),
      extensions_(image, this) {
  charge_.Add(GifHeapCost(sizeof(TGIFSubImage)) + kGifListSlotCost);
}

TGIFBudget* TGIFSubImage::Budget() const { return image_ ? &image_->Budget() : nullptr; }

// The extensions go first: a graphic control extension unlinks itself from this frame.
TGIFSubImage::~TGIFSubImage() { extensions_.Clear(); }

void TGIFSubImage::Clear() {
  extensions_.Clear();
  gce_ = nullptr;
  descriptor_ = Descriptor{};
  colorMap_.Clear();
  data_.clear();
  data_.shrink_to_fit();
  dataCharge_.Clear();
  transparent_ = false;
  bitmap_.reset();
  bitmapCharge_.Clear();
}

const TGIFColorMap& TGIFSubImage::ActiveColorMap() const {
  if (colorMap_.Count() > 0) return colorMap_;
  if (image_ && image_->Header().ColorMap().Count() > 0) return image_->Header().ColorMap();
  return colorMap_;
}

std::optional<uint8_t> TGIFSubImage::TransparentIndex() const {
  if (transparent_ && gce_) return gce_->TransparentColorIndex();
  return std::nullopt;
}

int TGIFSubImage::Delay() const { return gce_ ? gce_->Delay() : 0; }

TDisposalMethod TGIFSubImage::Disposal() const { return gce_ ? gce_->Disposal() : dmNone; }

void TGIFSubImage::SetNeedMask(bool value) {
  if (needMask_ != value) PaletteChanged();
  needMask_ = value;
}

void TGIFSubImage::PaletteChanged() {
  bitmap_.reset();
  bitmapCharge_.Clear();
}

void TGIFSubImage::LoadFromStream(TGIFStream& stream) {
  Clear();
  extensions_.LoadFromStream(stream);

  uint8_t next;
  if (!stream.ReadByte(next)) return;
  stream.Seek(-1);
  if (next == ';' || next == 0x00) return;  // extensions without an image

  uint8_t bytes[10];
  ReadExact(stream, bytes, 10);
  descriptor_.separator = bytes[0];
  descriptor_.left = WordAt(bytes + 1);
  descriptor_.top = WordAt(bytes + 3);
  descriptor_.width = WordAt(bytes + 5);
  descriptor_.height = WordAt(bytes + 7);
  descriptor_.packedFields = bytes[9];
  if (descriptor_.width == 0 || descriptor_.height == 0) {
    descriptor_.width = static_cast<uint16_t>(image_ ? image_->Width() : 0);
    descriptor_.height = static_cast<uint16_t>(image_ ? image_->Height() : 0);
    Warning(gsWarning, gif_text::kExceedsScreen);
  }
  if (descriptor_.packedFields & 0x80) colorMap_.LoadFromStream(stream, 2 << (descriptor_.packedFields & 7));
  Decompress(stream);
}

void TGIFSubImage::Decompress(TGIFStream& stream) {
  const int64_t pixels = int64_t{descriptor_.width} * descriptor_.height;
  if (pixels > (image_ ? image_->Options().maxPixels : GifOptions{}.maxPixels)) throw GIFException(gif_text::kTooLarge);
  PaletteChanged();
  data_.clear();
  data_.shrink_to_fit();
  dataCharge_.Clear();
  dataCharge_.Add(GifHeapCost(static_cast<size_t>(pixels)));
  uint8_t fill = transparent_ && gce_ ? gce_->TransparentColorIndex() : 0;
  data_.assign(static_cast<size_t>(pixels), fill);
  DecodeLZW(stream, TGIFLZWFrame{data_.data(), descriptor_.width, descriptor_.height, Interlaced(), Budget()},
            [this](const std::string& message) { Warning(gsWarning, message); });
}

void TGIFExtensionList::LoadFromStream(TGIFStream& stream) {
  uint8_t byte;
  if (!stream.ReadByte(byte)) return;
  while (byte != ',' && byte != ';') {
    if (byte != '!') {
      Warning(gsWarning, gif_text::kInvalidIntroducer);
      break;
    }
    const TGIFExtensionClass* cls = TGIFExtension::FindExtension(stream);
    if (!cls) throw GIFException(gif_text::kUnknownExtension);
    if (image_) image_->AdmitExtension();
    stream.Seek(-1);
    std::unique_ptr<TGIFExtension> extension = cls->create(frame_);
    extension->LoadFromStream(stream);
    Add(std::move(extension));
    if (!stream.ReadByte(byte)) return;
  }
  stream.Seek(-1);
}

void TGIFImageList::LoadFromStream(TGIFStream& stream) {
  for (;;) {
    uint8_t byte;
    if (!stream.ReadByte(byte)) return;
    while (byte == 0x00) {
      if (!stream.ReadByte(byte)) return;
    }
    stream.Seek(-1);
    if (byte == ';') return;
    if (byte != '!' && byte != ',') {
      Warning(gsWarning, gif_text::kUnknownBlock);
      stream.Seek(-1);
      return;
    }
    if (image_) image_->AdmitFrame();
    auto frame = std::make_unique<TGIFSubImage>(image_);
    frame->LoadFromStream(stream);
    if (image_ && stream.Size() > 0) {
      image_->Progress(TGIFProgressStage::Running, static_cast<int>(stream.Position() * 100 / stream.Size()),
                       gif_text::kLoading);
    }
    Add(std::move(frame));
  }
}

}  // namespace kivo::gif
