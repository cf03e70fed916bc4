// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/ui/preview_image.h"

#include <QMouseEvent>
#include <QPainter>

#include "screenshots/picture_placement.h"

namespace kivo::screenshots {

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {}

void PreviewImage::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) connect(graphic_.get(), &TGraphic::Changed, this, qOverload<>(&QWidget::update));
  update();
}

void PreviewImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setClipRect(rect());
  if (!graphic_) return;
  const QSize size = graphic_->Size();
  const PicturePlacement place = PlacePicture(size.width(), size.height(), width(), height());
  painter.translate(place.left, place.top);
  // Whole multiples only, drawn without smoothing: each pixel of the picture a sharp square.
  painter.scale(place.scale, place.scale);
  graphic_->Draw(painter);
}

void PreviewImage::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
}

}  // namespace kivo::screenshots
