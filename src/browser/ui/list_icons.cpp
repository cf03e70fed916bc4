// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/ui/list_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

namespace kivo::browser {

namespace {

// The two gathered lists have no picture files of their own: a star, and a clock face, each drawn
// into a 16 x 16 box.
void DrawStar(QPainter& painter) {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 7.5 : 3.2;
    const double angle = -M_PI / 2 + i * M_PI / 5;
    star << QPointF(8 + radius * std::cos(angle), 8.3 + radius * std::sin(angle));
  }
  painter.setPen(QPen(QColor(150, 110, 0), 1));
  painter.setBrush(QColor(250, 200, 30));
  painter.drawPolygon(star);
}

void DrawClock(QPainter& painter) {
  painter.setPen(QPen(QColor(40, 70, 130), 1.2));
  painter.setBrush(QColor(235, 242, 255));
  painter.drawEllipse(QPointF(8, 8), 6.8, 6.8);
  painter.drawLine(QPointF(8, 8), QPointF(8, 3.5));
  painter.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

// An icon drawn when it is shown, at the size it is shown: sharp at any display scale, and costing
// nothing while no line of its kind is on screen. Selected and disabled, it takes the style's
// look, as the pictures loaded from files do.
class DrawnIconEngine : public QIconEngine {
 public:
  using Draw = void (*)(QPainter&);
  explicit DrawnIconEngine(Draw draw) : draw_(draw) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap drawn = pixmap(rect.size() * scale, mode, state);
    drawn.setDevicePixelRatio(scale);
    painter->drawPixmap(rect, drawn);
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    QPixmap drawn(size);
    drawn.fill(Qt::transparent);
    {
      QPainter painter(&drawn);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.scale(size.width() / 16.0, size.height() / 16.0);
      draw_(painter);
    }
    if (mode == QIcon::Normal || mode == QIcon::Active || QApplication::style() == nullptr) return drawn;
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
  }

  QIconEngine* clone() const override { return new DrawnIconEngine(draw_); }

 private:
  Draw draw_;
};

}  // namespace

std::array<QIcon, 8> ListIcons() {
  return {QIcon(":/list/0_drive.png"),  QIcon(":/list/1_folder.png"),     QIcon(":/list/2_rom.png"),
          QIcon(":/list/3_rom_config.png"), QIcon(":/list/4_zip.png"),  QIcon(":/list/5_zip_config.png"),
          QIcon(new DrawnIconEngine(DrawStar)), QIcon(new DrawnIconEngine(DrawClock))};
}

}  // namespace kivo::browser
