// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/ui/gif_graphic.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "gif/gif_animation.h"
#include "gif/gif_image.h"
#include "gif/gif_options.h"
#include "gif/ui/gif_painter.h"
#include "platform/files.h"

namespace kivo::gif {

TGIFGraphic::TGIFGraphic(std::string_view bytes, const GifOptions& options)
    : image_(std::make_unique<TGIFImage>(options)) {
  image_->LoadFromBytes(bytes);
  const TGIFDrawOptions drawOptions = image_->DrawOptions();
  int first = 0;
  if (image_->FrameCount() > 1 && drawOptions.Has(goAnimate)) {
    first = TGIFPlayback(*image_, drawOptions).First();
    animated_ = first >= 0;
    // A frame without colours, or a dithered frame's bitmap beyond the budget, would otherwise fail
    // on the painter's thread, where nobody can report it; found here, the load fails with the
    // codec's message and the preview keeps its picture.
    if (animated_) {
      for (int i = 0; i < image_->FrameCount(); ++i) {
        TGIFSubImage& frame = *image_->Frame(i);
        if (frame.Empty()) continue;
        if (image_->Dithers()) {
          frame.GetBitmap();
        } else {
          frame.Palette();
        }
      }
    }
  }
  canvas_ = std::make_unique<TGIFCanvas>(*image_);
  pictures_ = TGIFCharge(&image_->Budget(), (animated_ ? 3 : 1) * CanvasImageCost(*canvas_));
  if (first >= 0) canvas_->Render(first);
  frame_ = CanvasImage(*canvas_);
}

TGIFGraphic::~TGIFGraphic() {
  // The thread must be gone before the image and canvas it works on; queued frame notices still
  // addressed to this object are dropped with it.
  painter_.reset();
}

std::unique_ptr<screenshots::TGraphic> TGIFGraphic::LoadFromFile(const std::string& path) {
  std::string bytes;
  if (!platform::ReadWholeFile(path, bytes, kGifFileLimit)) throw common::KivoError("Cannot open file " + path);
  // A palette screen shows at most 256 colours at a time: 8 bits per pixel or fewer.
  GifOptions options;
  const QScreen* screen = QGuiApplication::primaryScreen();
  options.paletteScreen = screen != nullptr && screen->depth() <= 8;
  return std::make_unique<TGIFGraphic>(bytes, options);
}

QSize TGIFGraphic::Size() const { return QSize(image_->Width(), image_->Height()); }

bool TGIFGraphic::Animating() const { return painter_ && painter_->isRunning(); }

void TGIFGraphic::Draw(QPainter& painter) {
  // The preview's rectangle is the logical screen at natural size, so the frame's place is its own
  // descriptor's rectangle and tiling would repeat nothing; unpainted pixels have alpha 0.
  if (!frame_.isNull()) painter.drawImage(0, 0, frame_);
  if (animated_ && !painter_) {
    painter_ = std::make_unique<TGIFPainter>(*image_, *canvas_);
    connect(painter_.get(), &TGIFPainter::FrameReady, this, &TGIFGraphic::TakeFrame, Qt::QueuedConnection);
    painter_->start();
  }
}

void TGIFGraphic::TakeFrame() {
  if (!painter_) return;
  frame_ = painter_->TakeFrame();
  emit Changed();
}

}  // namespace kivo::gif
