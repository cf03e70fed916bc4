// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>

#include "screenshots/ui/graphic.h"

namespace kivo::screenshots {

// The preview picture: shows its graphic at the largest whole multiple of its size that the widget
// holds, centred (PlacePicture), and repaints when an animation moves on.
class PreviewImage : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewImage(QWidget* parent = nullptr);

  // Takes the graphic; the previous one is released.
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  TGraphic* Graphic() const { return graphic_.get(); }

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace kivo::screenshots
