// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/ui/picture_holder.h"

#include <QImage>
#include <QPainter>
#include <map>

#include "common/error.h"
#include "common/path.h"
#include "common/text.h"
#include "platform/files.h"
#include "screenshots/bmp_file.h"

namespace kivo::screenshots {

void TBitmapGraphic::Draw(QPainter& painter) { painter.drawImage(0, 0, image_); }

namespace picture_holder {
namespace {

struct Format {
  QString description;
  Loader loader;
};

// The largest still picture read: a screenshot is a megabyte at most; the margin is wide.
constexpr size_t kPictureFileLimit = size_t{32} << 20;

std::unique_ptr<TGraphic> LoadBitmap(const std::string& path) {
  std::string bytes;
  if (!platform::ReadWholeFile(path, bytes, kPictureFileLimit)) throw common::KivoError("Cannot open file " + path);
  // The reader would show a file cut short inside its pixels with made-up rows; such a file is
  // refused like any other damaged bitmap.
  QImage image;
  if (BmpFileComplete(bytes)) {
    image.loadFromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), "BMP");
  }
  if (image.isNull()) throw common::KivoError("Bitmap image is not valid");
  return std::make_unique<TBitmapGraphic>(std::move(image));
}

// The native emulator's snapshots, through Qt's own reader.
std::unique_ptr<TGraphic> LoadPng(const std::string& path) {
  std::string bytes;
  if (!platform::ReadWholeFile(path, bytes, kPictureFileLimit)) throw common::KivoError("Cannot open file " + path);
  QImage image;
  image.loadFromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), "PNG");
  if (image.isNull()) throw common::KivoError("PNG image is not valid");
  return std::make_unique<TBitmapGraphic>(std::move(image));
}

std::map<std::string, Format>& Formats() {
  static std::map<std::string, Format> formats{{"bmp", {"Bitmaps", LoadBitmap}}, {"png", {"PNG images", LoadPng}}};
  return formats;
}

}  // namespace

void RegisterFileFormat(const std::string& extension, const QString& description, const Loader& loader) {
  Formats()[common::LowerAscii(extension)] = {description, loader};
}

std::unique_ptr<TGraphic> LoadFromFile(const std::string& path) {
  std::string ext = common::ExtractFileExt(path);
  auto it = Formats().find(common::LowerAscii(ext.empty() ? ext : ext.substr(1)));
  if (it == Formats().end()) throw common::KivoError("Unknown picture file extension (" + ext + ")");
  return it->second.loader(path);
}

std::unique_ptr<TGraphic> LoadResource(const QString& name) {
  QImage image(name);
  if (image.isNull()) throw common::KivoError("Bitmap image is not valid");
  return std::make_unique<TBitmapGraphic>(std::move(image));
}

}  // namespace picture_holder

}  // namespace kivo::screenshots
