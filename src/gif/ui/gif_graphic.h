#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <string_view>

#include "screenshots/ui/graphic.h"

class TGIFImage;
class TGIFCanvas;
class TGIFPainter;

// A GIF as the preview shows it: the logical screen at natural size from the top-left corner, with
// transparent pixels left unpainted. A single frame (or an image drawn without goAnimate) is drawn
// still; several frames are animated by a TGIFPainter from the first draw on, and every new frame
// is announced with Changed. The painter is stopped when the graphic goes.
class TGIFGraphic : public TGraphic {
  Q_OBJECT

 public:
  // Decodes the GIF and composes its first frame. Raises GIFException for a damaged file, and
  // "No global or local color table defined" when a frame it would show has no colours.
  explicit TGIFGraphic(std::string_view bytes);
  ~TGIFGraphic() override;

  // The picture holder's loader for ".gif": "Cannot open file <path>" when it cannot be read.
  static std::unique_ptr<TGraphic> LoadFromFile(const std::string& path);

  QSize Size() const override;
  void Draw(QPainter& painter) override;

  // Whether the image animates when drawn, and whether its painter is running now.
  bool Animated() const { return animated_; }
  bool Animating() const;
  // The frame on show.
  const QImage& Frame() const { return frame_; }

 private:
  void TakeFrame();

  // Declared in this order so the painter, which works on the canvas and the image, goes first.
  std::unique_ptr<TGIFImage> image_;
  std::unique_ptr<TGIFCanvas> canvas_;
  std::unique_ptr<TGIFPainter> painter_;
  QImage frame_;
  bool animated_ = false;
};
