// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>

class QPainter;

namespace kivo::screenshots {

// A picture the preview can show: a still bitmap or an animated GIF. Drawn at natural size from
// the top-left corner; an animation announces each new frame with Changed.
class TGraphic : public QObject {
  Q_OBJECT

 public:
  virtual QSize Size() const = 0;
  virtual void Draw(QPainter& painter) = 0;

 signals:
  void Changed();
};

// A still picture, as the platform's bitmap reader decodes it.
class TBitmapGraphic : public TGraphic {
  Q_OBJECT

 public:
  explicit TBitmapGraphic(QImage image) : image_(std::move(image)) {}
  QSize Size() const override { return image_.size(); }
  void Draw(QPainter& painter) override;
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
};

}  // namespace kivo::screenshots
