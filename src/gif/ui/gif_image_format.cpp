// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/ui/gif_image_format.h"

#include "gif/ui/gif_graphic.h"
#include "screenshots/ui/picture_holder.h"

namespace kivo::gif {

void RegisterGifImageFormat() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  screenshots::picture_holder::RegisterFileFormat("gif", "GIF Image", TGIFGraphic::LoadFromFile);
}

}  // namespace kivo::gif
