// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_image.h"

#include <cstring>

#include "common/text.h"

namespace kivo::gif {

namespace {

bool StartsWithGif(const uint8_t* bytes, size_t count) {
  return count >= 3 && common::EqualsNoCase(std::string_view(reinterpret_cast<const char*>(bytes), 3), "GIF");
}

}  // namespace

void TGIFHeader::Clear() {
  signature_.clear();
  versionText_.clear();
  screen_ = ScreenDescriptor{};
  colorMap_.Clear();
}

TGIFVersion TGIFHeader::Version() const {
  if (versionText_ == GIFVersions[gv87a]) return gv87a;
  if (versionText_ == GIFVersions[gv89a]) return gv89a;
  return gvUnknown;
}

void TGIFHeader::LoadFromStream(TGIFStream& stream) {
  size_t start = stream.Position();
  uint8_t bytes[7];
  ReadExact(stream, bytes, 6);
  if (!StartsWithGif(bytes, 6)) {
    // Some files carry 4 bytes of their own in front of the signature.
    stream.SetPosition(start);
    stream.Seek(4);
    size_t got = stream.Read(bytes, 6);
    if (!StartsWithGif(bytes, got)) throw GIFException(gif_text::kInvalidSignature);
    if (got < 6) throw GIFException(gif_text::kPrematureEnd);
  }
  signature_.assign(reinterpret_cast<const char*>(bytes), 3);
  versionText_.assign(reinterpret_cast<const char*>(bytes) + 3, 3);

  ReadExact(stream, bytes, 7);
  screen_.width = WordAt(bytes);
  screen_.height = WordAt(bytes + 2);
  screen_.packedFields = bytes[4];
  screen_.backgroundColorIndex = bytes[5];
  screen_.aspectRatio = bytes[6];
  const int64_t maxPixels = image_ ? image_->Options().maxPixels : GifOptions{}.maxPixels;
  if (int64_t{screen_.width} * screen_.height > maxPixels) throw GIFException(gif_text::kTooLarge);

  if (screen_.packedFields & 0x80) {
    colorMap_.LoadFromStream(stream, 2 << (screen_.packedFields & 7));
  } else {
    colorMap_.Clear();
  }
}

void TGIFTrailer::LoadFromStream(TGIFStream& stream) {
  uint8_t byte;
  if (stream.ReadByte(byte) && byte != ';') Warning(gsWarning, gif_text::kInvalidTrailer);
}

TGIFImage::TGIFImage(const GifOptions& options)
    : AnimationSpeed(options.animationSpeed),
      options_(options),
      budget_(options.memoryBudget),
      images_(this),
      header_(this),
      drawOptions_(options.drawOptions) {}

TGIFImage::~TGIFImage() = default;

void TGIFImage::Clear() {
  images_.Clear();
  header_.Clear();
  palette_.reset();
  extensionsRead_ = 0;
}

void TGIFImage::LoadFromStream(TGIFStream& stream) {
  Progress(TGIFProgressStage::Starting, 0, gif_text::kLoading);
  bool failed = true;
  try {
    Clear();
    header_.LoadFromStream(stream);
    images_.LoadFromStream(stream);
    TGIFTrailer trailer(this);
    trailer.LoadFromStream(stream);
    failed = false;
  } catch (...) {
    Progress(TGIFProgressStage::Ending, 0, gif_text::kLoading);
    throw;
  }
  Progress(TGIFProgressStage::Ending, failed ? 0 : 100, gif_text::kLoading);
}

void TGIFImage::LoadFromBytes(std::string_view bytes) {
  TGIFStream stream(bytes);
  LoadFromStream(stream);
}

void TGIFImage::Warning(TGIFItem* sender, TGIFSeverity severity, const std::string& message) {
  if (OnWarning) OnWarning(sender, severity, message);
}

void TGIFImage::Progress(TGIFProgressStage stage, int percent, const char* message) {
  if (OnProgress) OnProgress(stage, percent, message);
}

void TGIFImage::AdmitFrame() const {
  if (images_.Count() >= options_.maxFrames) throw GIFException(gif_text::kTooLarge);
}

void TGIFImage::AdmitExtension() {
  if (extensionsRead_ >= options_.maxExtensions) throw GIFException(gif_text::kTooLarge);
  ++extensionsRead_;
}

const std::vector<TGIFColor>& TGIFImage::Palette() {
  if (palette_) return *palette_;
  if (makingPalette_ || (images_.Count() == 0 && header_.ColorMap().Count() == 0)) {
    throw GIFException(gif_text::kNoColorTable);
  }
  const TGIFColorMap& global = header_.ColorMap();
  if (global.Count() > 0) {
    palette_.emplace(global.Colors().begin(), global.Colors().begin() + global.Count());
  } else {
    makingPalette_ = true;
    try {
      std::vector<TGIFColor> first = images_.Frame(0)->Palette();
      makingPalette_ = false;
      palette_ = std::move(first);
    } catch (...) {
      makingPalette_ = false;
      throw;
    }
  }
  return *palette_;
}

void TGIFImage::PaletteChanged() {
  palette_.reset();
  for (int i = 0; i < images_.Count(); ++i) images_.Frame(i)->PaletteChanged();
}

std::optional<int> TGIFImage::LoopCount() const {
  for (int i = 0; i < images_.Count(); ++i) {
    const TGIFExtensionList& extensions = images_.Frame(i)->Extensions();
    for (int j = 0; j < extensions.Count(); ++j) {
      if (auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(extensions.Extension(j))) return loop->Loops();
    }
  }
  return std::nullopt;
}

bool TGIFImage::Dithers() const {
  return drawOptions_.Has(goDither) && (!drawOptions_.Has(goAutoDither) || options_.paletteScreen);
}

void TGIFImage::SetDrawOptions(TGIFDrawOptions options) {
  bool dithered = Dithers();
  drawOptions_ = options;
  if (Dithers() != dithered) PaletteChanged();
}

}  // namespace kivo::gif
