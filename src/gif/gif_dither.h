// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "gif/gif_bitmap.h"

namespace kivo::gif {

class TGIFSubImage;

// The 216-colour web palette: entry r x 36 + g x 6 + b has the levels r, g, b x 51.
const std::vector<TGIFColor>& WebPalette();

// Renders a frame into the web palette with serpentine error diffusion (errors in 1/1024 units,
// shares of 7/16, 3/16, 5/16 and 1/16 truncated toward zero), for screens of at most 256 colours.
// Transparent pixels (when `wantMask` and the frame is transparent) take and pass on no error and
// are marked in the mask, which is kept only when such a pixel exists.
TGIFBitmap DitherFrame(const TGIFSubImage& frame, bool wantMask);

}  // namespace kivo::gif
