// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

namespace kivo::screenshots {

// Where the preview draws a picture in its area: at the largest whole multiple of its size that
// fits (so each of its pixels stays a sharp square), centred; a picture larger than the area is
// drawn at its own size from the top-left corner, clipped, as the preview always drew it.
struct PicturePlacement {
  int left = 0;
  int top = 0;
  int scale = 1;
};

PicturePlacement PlacePicture(int width, int height, int areaWidth, int areaHeight);

}  // namespace kivo::screenshots
