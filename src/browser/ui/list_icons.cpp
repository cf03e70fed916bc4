// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/ui/list_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace kivo::browser {

namespace {

// The two gathered lists have no picture files of their own: a star, and a clock face.
QIcon StarIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 7.5 : 3.2;
    const double angle = -M_PI / 2 + i * M_PI / 5;
    star << QPointF(8 + radius * std::cos(angle), 8.3 + radius * std::sin(angle));
  }
  painter.setPen(QPen(QColor(150, 110, 0), 1));
  painter.setBrush(QColor(250, 200, 30));
  painter.drawPolygon(star);
  return QIcon(pixmap);
}

QIcon ClockIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 70, 130), 1.2));
  painter.setBrush(QColor(235, 242, 255));
  painter.drawEllipse(QPointF(8, 8), 6.8, 6.8);
  painter.drawLine(QPointF(8, 8), QPointF(8, 3.5));
  painter.drawLine(QPointF(8, 8), QPointF(11, 9.5));
  return QIcon(pixmap);
}

}  // namespace

std::array<QIcon, 8> ListIcons() {
  return {QIcon(":/list/0_drive.png"),  QIcon(":/list/1_folder.png"),     QIcon(":/list/2_rom.png"),
          QIcon(":/list/3_rom_config.png"), QIcon(":/list/4_zip.png"),  QIcon(":/list/5_zip_config.png"),
          StarIcon(),                   ClockIcon()};
}

}  // namespace kivo::browser
