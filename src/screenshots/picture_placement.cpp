// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/picture_placement.h"

#include <algorithm>

namespace kivo::screenshots {

PicturePlacement PlacePicture(int width, int height, int areaWidth, int areaHeight) {
  PicturePlacement placement;
  if (width <= 0 || height <= 0) return placement;
  placement.scale = std::max(1, std::min(areaWidth / width, areaHeight / height));
  // Centred where there is room; a picture wider or taller than the area keeps its left or top edge.
  placement.left = std::max(0, (areaWidth - width * placement.scale) / 2);
  placement.top = std::max(0, (areaHeight - height * placement.scale) / 2);
  return placement;
}

}  // namespace kivo::screenshots
