// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "demo_art.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <cstdint>
#include <map>
#include <stdexcept>

#include "support/gif_builder.h"

namespace demo_art {
namespace {

// A painter on a fresh picture that keeps colours exact: no smoothing of edges or letters, so a
// scene holds only the colours it was drawn with and converts to a GIF palette without loss.
class Scene {
 public:
  explicit Scene(QRgb background) : image_(kWidth, kHeight, QImage::Format_RGB32), painter_(&image_) {
    image_.fill(background);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(Qt::NoPen);
  }

  void Rect(int x, int y, int w, int h, QRgb color) { painter_.fillRect(x, y, w, h, QColor(color)); }
  void Ellipse(int x, int y, int w, int h, QRgb color) {
    painter_.setBrush(QColor(color));
    painter_.drawEllipse(x, y, w, h);
  }
  void Polygon(const QPolygon& points, QRgb color) {
    painter_.setBrush(QColor(color));
    painter_.drawPolygon(points);
  }
  // Horizontal bands from `top` down, one colour each: the banded skies and seas of the era.
  void Bands(int top, int bandHeight, std::initializer_list<QRgb> colors) {
    for (QRgb color : colors) {
      Rect(0, top, kWidth, bandHeight, color);
      top += bandHeight;
    }
  }
  // Stars at places that are the same on every run.
  void Stars(int count, int maxY, QRgb color, std::uint32_t seed) {
    for (int i = 0; i < count; ++i) {
      seed = seed * 1664525u + 1013904223u;
      int x = static_cast<int>((seed >> 8) % kWidth);
      int y = static_cast<int>((seed >> 20) % maxY);
      Rect(x, y, (i % 5 == 0) ? 2 : 1, (i % 5 == 0) ? 2 : 1, color);
    }
  }
  // A caption with a drop shadow, centred, in a bold font drawn without smoothing.
  void Title(const QString& text, int y, int size, QRgb color, QRgb shadow) {
    QFont font("DejaVu Sans", size, QFont::Bold);
    font.setStyleStrategy(QFont::NoAntialias);
    painter_.setFont(font);
    QRect box(0, y, kWidth, size * 2);
    painter_.setPen(QColor(shadow));
    painter_.drawText(box.translated(2, 2), Qt::AlignHCenter | Qt::AlignTop, text);
    painter_.setPen(QColor(color));
    painter_.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
    painter_.setPen(Qt::NoPen);
  }

  QImage Finish() {
    painter_.end();
    return image_;
  }

 private:
  QImage image_;
  QPainter painter_;
};

void MossKnightFrame(Scene& scene, int frame) {
  scene.Bands(0, 16, {0xFF9ED8F0, 0xFFAEE0F2, 0xFFC0E8F4, 0xFFD2F0F6});
  // Far trees, then near trunks with leafy crowns.
  for (int x = -8; x < kWidth; x += 24) scene.Ellipse(x, 40 + (x / 24 % 2) * 6, 36, 48, 0xFF4F8A3C);
  scene.Rect(0, 70, kWidth, 90, 0xFF3D6E30);
  for (int x : {20, 96, 200}) {
    scene.Rect(x, 60, 14, 110, 0xFF6B4423);
    scene.Ellipse(x - 22, 30, 58, 46, 0xFF2E5A24);
  }
  // Ground: moss and a path.
  scene.Rect(0, 160, kWidth, 64, 0xFF5C9E3A);
  scene.Rect(0, 176, kWidth, 18, 0xFFB8925A);
  for (int x = (frame * 2) % 16; x < kWidth; x += 16) scene.Rect(kWidth - x, 196, 4, 3, 0xFF3D6E30);

  // The knight walks to the right; legs and arm swing with the frame.
  const int kx = 40 + frame * 20;
  const int swing = (frame % 2 == 0) ? 3 : -3;
  scene.Rect(kx + 4, 150 + 0, 12, 12, 0xFFB0B8C0);    // helmet
  scene.Rect(kx + 12, 154, 4, 3, 0xFF20242C);         // visor slit
  scene.Rect(kx + 8, 144, 4, 6, 0xFF3FA34D);          // plume of moss
  scene.Rect(kx + 2, 162, 16, 12, 0xFF3FA34D);        // tunic
  scene.Rect(kx + 6 + swing, 174, 4, 8, 0xFF808890);  // legs
  scene.Rect(kx + 10 - swing, 174, 4, 8, 0xFF808890);
  scene.Rect(kx + 18, 160 - swing, 3, 14, 0xFFE0E4E8);  // sword
  scene.Rect(kx - 4, 162, 7, 10, 0xFF8A5A2B);           // shield

  // A butterfly flaps over the path.
  const int bx = 180 - frame * 6, by = 120 + ((frame % 4) < 2 ? 0 : 4);
  const int wing = (frame % 2 == 0) ? 5 : 2;
  scene.Rect(bx - wing, by, wing, 4, 0xFFF2C94C);
  scene.Rect(bx + 1, by, wing, 4, 0xFFF2C94C);
  scene.Rect(bx, by - 1, 1, 6, 0xFF402010);

  scene.Title("MOSS KNIGHT", 4, 14, 0xFFF4F1DE, 0xFF2E5A24);
}

}  // namespace

QImage StarlightCourier() {
  Scene scene(0xFF0B1030);
  scene.Bands(0, 28, {0xFF0B1030, 0xFF121A44, 0xFF1A2458, 0xFF24306C, 0xFF2E3C80});
  scene.Stars(70, 130, 0xFFF8F4D0, 7);
  scene.Ellipse(190, 24, 28, 28, 0xFFF6EFC0);
  scene.Ellipse(198, 20, 26, 26, 0xFF0B1030);  // the moon's crescent
  scene.Polygon(
      QPolygon({{0, 170}, {40, 110}, {80, 150}, {130, 96}, {190, 160}, {230, 120}, {256, 150}, {256, 224}, {0, 224}}),
      0xFF1C2338);
  scene.Rect(0, 190, kWidth, 34, 0xFF141A2A);
  // A cottage with a lit window waiting for its letter.
  scene.Rect(40, 168, 30, 22, 0xFF3A3048);
  scene.Polygon(QPolygon({{36, 168}, {55, 154}, {74, 168}}), 0xFF5A2E38);
  scene.Rect(50, 174, 8, 8, 0xFFF2C14E);
  // The courier: a white bird with a satchel.
  scene.Rect(140, 80, 18, 8, 0xFFF0F0F0);
  scene.Rect(146, 72, 10, 8, 0xFFE0E0E8);
  scene.Rect(158, 82, 6, 3, 0xFFF2A93B);
  scene.Rect(144, 88, 6, 6, 0xFF8A5A2B);
  scene.Title("STARLIGHT COURIER", 6, 14, 0xFFF6EFC0, 0xFF2E3C80);
  scene.Title("LETTERS 03   TIME 4:20", 204, 8, 0xFFFFFFFF, 0xFF000000);
  return scene.Finish();
}

QImage LanternTide() {
  Scene scene(0xFFF28C28);
  scene.Bands(0, 20, {0xFF6A3D7A, 0xFF9A4A78, 0xFFD0606A, 0xFFF28C50, 0xFFF8B04A, 0xFFFCD060});
  scene.Ellipse(100, 90, 56, 56, 0xFFFFF0A0);
  scene.Bands(120, 13,
              {0xFF1E4A78, 0xFF235488, 0xFF2A6098, 0xFF306CA8, 0xFF3878B4, 0xFF4084C0, 0xFF4890CA, 0xFF509AD2});
  for (int y = 124; y < kHeight; y += 10) {
    for (int x = (y * 7) % 30; x < kWidth; x += 30) scene.Rect(x, y, 12, 2, 0xFF9CC8E8);
  }
  // The boat and its lantern, with the lantern's light on the water.
  scene.Polygon(QPolygon({{60, 150}, {140, 150}, {128, 166}, {72, 166}}), 0xFF5A3418);
  scene.Rect(98, 110, 4, 40, 0xFF3A2410);
  scene.Rect(102, 112, 12, 4, 0xFF3A2410);
  scene.Rect(110, 116, 8, 10, 0xFFFFE070);
  scene.Rect(108, 168, 12, 3, 0xFFFFE070);
  scene.Rect(104, 176, 20, 2, 0xFFFFE070);
  scene.Title("LANTERN TIDE", 8, 16, 0xFFFFF4D0, 0xFF6A3D7A);
  return scene.Finish();
}

QImage CloudMill() {
  Scene scene(0xFF78B8F0);
  scene.Bands(0, 24, {0xFF5AA0E8, 0xFF68ACEC, 0xFF78B8F0, 0xFF88C4F4});
  for (int i = 0; i < 3; ++i) {
    int x = 20 + i * 80, y = 30 + (i % 2) * 18;
    scene.Ellipse(x, y, 40, 20, 0xFFFFFFFF);
    scene.Ellipse(x + 18, y - 8, 36, 24, 0xFFFFFFFF);
  }
  scene.Ellipse(-60, 140, 240, 140, 0xFF6CC04A);
  scene.Ellipse(100, 150, 260, 130, 0xFF58A83C);
  // The mill: tower, cap, door and four sails.
  scene.Polygon(QPolygon({{150, 170}, {158, 100}, {178, 100}, {186, 170}}), 0xFFE8DCC0);
  scene.Polygon(QPolygon({{154, 102}, {168, 86}, {182, 102}}), 0xFFA04030);
  scene.Rect(163, 150, 10, 20, 0xFF6B4423);
  scene.Rect(166, 60, 4, 80, 0xFF8A6A48);
  scene.Rect(128, 96, 80, 4, 0xFF8A6A48);
  scene.Rect(170, 62, 10, 34, 0xFFF4F0E4);
  scene.Rect(156, 102, 10, 34, 0xFFF4F0E4);
  scene.Rect(130, 86, 34, 10, 0xFFF4F0E4);
  scene.Rect(172, 100, 34, 10, 0xFFF4F0E4);
  scene.Rect(166, 96, 4, 4, 0xFF3A2A1A);
  scene.Title("CLOUD MILL", 196, 12, 0xFFFFFFFF, 0xFF2E6A20);
  return scene.Finish();
}

QImage RustBucketRacing() {
  Scene scene(0xFF88C8F8);
  scene.Bands(0, 20, {0xFF70B0F0, 0xFF80BCF4, 0xFF90C8F8, 0xFFA0D4FC});
  scene.Rect(0, 80, kWidth, 144, 0xFF4C9A3A);
  scene.Polygon(QPolygon({{112, 80}, {144, 80}, {256, 224}, {0, 224}}), 0xFF5A5A62);
  for (int y = 86, h = 4; y < kHeight; y += h * 3, h += 2) scene.Rect(126 - h / 4, y, 4 + h / 2, h, 0xFFF0F0F0);
  // The car, rust-red, seen from behind.
  scene.Rect(98, 168, 60, 24, 0xFFB0442A);
  scene.Rect(108, 156, 40, 14, 0xFF8C3420);
  scene.Rect(112, 158, 32, 8, 0xFF30404C);
  scene.Rect(92, 186, 14, 16, 0xFF1A1A1A);
  scene.Rect(150, 186, 14, 16, 0xFF1A1A1A);
  scene.Rect(102, 174, 8, 4, 0xFFF04030);
  scene.Rect(146, 174, 8, 4, 0xFFF04030);
  scene.Title("LAP 2/3   POS 4", 8, 10, 0xFFFFF060, 0xFF202020);
  return scene.Finish();
}

QImage PocketComet() {
  Scene scene(0xFF06060E);
  scene.Stars(90, kHeight, 0xFFD8D8FF, 11);
  scene.Ellipse(150, 110, 90, 90, 0xFF7A4AA8);
  scene.Ellipse(162, 122, 60, 60, 0xFF9A66C8);
  scene.Rect(130, 150, 130, 6, 0xFFE0C070);  // the planet's ring
  // The comet and its tail, shrinking and darkening behind it.
  const QRgb tail[] = {0xFFFFFFFF, 0xFFC8F0FF, 0xFF90D8F8, 0xFF60B8E8, 0xFF4090C8, 0xFF2868A0};
  for (int i = 5; i >= 0; --i) scene.Ellipse(60 - i * 9, 60 - i * 6, 18 - i * 2, 18 - i * 2, tail[i]);
  scene.Title("POCKET COMET", 190, 14, 0xFFFFE080, 0xFF7A4AA8);
  return scene.Finish();
}

std::vector<QImage> MossKnightFrames() {
  std::vector<QImage> frames;
  for (int frame = 0; frame < 8; ++frame) {
    Scene scene(0xFF9ED8F0);
    MossKnightFrame(scene, frame);
    frames.push_back(scene.Finish());
  }
  return frames;
}

std::string EncodeGif(const std::vector<QImage>& frames, int delay) {
  if (frames.empty()) throw std::runtime_error("a GIF needs at least one frame");
  std::map<QRgb, uint8_t> indexOf;
  std::vector<GifRgb> palette;
  std::vector<std::vector<uint8_t>> pixels;
  for (const QImage& frame : frames) {
    QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    std::vector<uint8_t>& indexes = pixels.emplace_back();
    for (int y = 0; y < rgb.height(); ++y) {
      for (int x = 0; x < rgb.width(); ++x) {
        QRgb color = rgb.pixel(x, y) | 0xFF000000u;
        auto [at, added] = indexOf.emplace(color, static_cast<uint8_t>(palette.size()));
        if (added) {
          if (palette.size() == 256) throw std::runtime_error("a GIF picture holds at most 256 colours");
          palette.push_back(GifRgb{static_cast<uint8_t>(qRed(color)), static_cast<uint8_t>(qGreen(color)),
                                   static_cast<uint8_t>(qBlue(color))});
        }
        indexes.push_back(at->second);
      }
    }
  }
  // The palette's size is a power of two; the code size is its number of bits (at least 2).
  int bits = 1;
  while ((1u << bits) < palette.size()) ++bits;
  palette.resize(std::size_t{1} << bits);

  const int width = frames.front().width(), height = frames.front().height();
  GifBuilder gif;
  gif.Screen(width, height, palette, 0);
  if (frames.size() > 1) gif.Loop(0);
  for (std::vector<uint8_t>& indexes : pixels) {
    if (frames.size() > 1) gif.GraphicControl(1, delay, std::nullopt);
    GifFrameLayout desc;
    desc.width = width;
    desc.height = height;
    desc.pixels = std::move(indexes);
    desc.lzw.minCodeSize = bits < 2 ? 2 : bits;
    gif.Frame(desc);
  }
  return gif.Trailer().Bytes();
}

}  // namespace demo_art
