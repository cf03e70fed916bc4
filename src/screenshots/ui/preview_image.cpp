// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/ui/preview_image.h"

#include <QMouseEvent>
#include <QPainter>

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
  if (graphic_) graphic_->Draw(painter);
}

void PreviewImage::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
}

}  // namespace kivo::screenshots
