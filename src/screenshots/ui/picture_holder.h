// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "screenshots/ui/graphic.h"

namespace kivo::screenshots {

// Loads a picture file through the image class registered for its extension: ".bmp" is built in
// (the platform's bitmap reader); other classes, such as the GIF codec, register themselves when
// the program starts.
namespace picture_holder {

// Makes a graphic from a file; raises the class's own error (a KivoError) when it cannot.
using Loader = std::function<std::unique_ptr<TGraphic>(const std::string& path)>;

// Registers `loader` for files whose extension, without the dot, is `extension` (any letter case).
void RegisterFileFormat(const std::string& extension, const QString& description, const Loader& loader);

// Loads the file with the class of its extension. Raises KivoError when no class is registered for
// it or the file cannot be decoded.
std::unique_ptr<TGraphic> LoadFromFile(const std::string& path);

// A bitmap from the program's own resources, such as the title picture.
std::unique_ptr<TGraphic> LoadResource(const QString& name);

}  // namespace picture_holder

}  // namespace kivo::screenshots
