// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <string_view>

#include "gif/gif_budget.h"
#include "gif/gif_options.h"
#include "screenshots/ui/graphic.h"

namespace kivo::gif {

class TGIFImage;
class TGIFCanvas;
class TGIFPainter;

// A GIF as the preview shows it: the logical screen at natural size from the top-left corner, with
// transparent pixels left unpainted. A single frame (or an image drawn without goAnimate) is drawn
// still; several frames are animated by a TGIFPainter from the first draw on, and every new frame
// is announced with Changed. The painter is stopped when the graphic goes.
//
// Everything the graphic holds is taken from its image's budget while it loads: the frames, the
// canvas, and the pictures handed to the window (the one on show, and for an animation the one
// waiting in the painter and the one being composed). An animation therefore plays to its end
// without taking memory that was not granted when the file was opened.
class TGIFGraphic : public screenshots::TGraphic {
  Q_OBJECT

 public:
  // Decodes the GIF and composes its first frame. Raises GIFException for a damaged file,
  // "Image too large to decode" past the options' bounds (the decoded frames, or the canvas and pictures the
  // graphic would need to show them), and "No global or local color table defined" when a frame it
  // would show has no colours.
  explicit TGIFGraphic(std::string_view bytes, const GifOptions& options = GifOptions{});
  ~TGIFGraphic() override;

  // The picture holder's loader for ".gif": "Cannot open file <path>" when it cannot be read.
  static std::unique_ptr<screenshots::TGraphic> LoadFromFile(const std::string& path);

  QSize Size() const override;
  void Draw(QPainter& painter) override;

  // Whether the image animates when drawn, and whether its painter is running now.
  bool Animated() const { return animated_; }
  bool Animating() const;
  // The frame on show.
  const QImage& Frame() const { return frame_; }
  const TGIFImage& Image() const { return *image_; }

 private:
  void TakeFrame();

  // Declared in this order so the painter, which works on the canvas and the image, goes first,
  // and the image, whose budget every other member draws on, last.
  std::unique_ptr<TGIFImage> image_;
  TGIFCharge pictures_;
  std::unique_ptr<TGIFCanvas> canvas_;
  std::unique_ptr<TGIFPainter> painter_;
  QImage frame_;
  bool animated_ = false;
};

}  // namespace kivo::gif
