// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gui/support/preview_check.h"

#include <algorithm>

#include "gui/support/find_child.h"
#include "screenshots/ui/preview_image.h"

using namespace kivo::app;
using namespace kivo::screenshots;

QImage Shown(TMainForm& form) {
  return Child<PreviewImage>(form, "imgPreview0")->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb Background(TMainForm& form) {
  return Child<PreviewImage>(form, "imgPreview0")
      ->palette()
      .color(Child<PreviewImage>(form, "imgPreview0")->backgroundRole())
      .rgb();
}

QImage InPreview(const QImage& picture, QRgb background) {
  QImage expected(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
  expected.fill(background);
  for (int y = 0; y < std::min(picture.height(), kPreviewHeight); ++y) {
    for (int x = 0; x < std::min(picture.width(), kPreviewWidth); ++x) {
      if (qAlpha(picture.pixel(x, y)) != 0) expected.setPixel(x, y, picture.pixel(x, y) | 0xFF000000u);
    }
  }
  return expected;
}

QString Mismatch(const QImage& shown, const QImage& expected) {
  if (shown.size() != expected.size()) return QString("preview is %1x%2").arg(shown.width()).arg(shown.height());
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) != expected.pixel(x, y)) {
        return QString("pixel (%1,%2) is %3, expected %4")
            .arg(x)
            .arg(y)
            .arg(shown.pixel(x, y), 8, 16, QChar('0'))
            .arg(expected.pixel(x, y), 8, 16, QChar('0'));
      }
    }
  }
  return {};
}
