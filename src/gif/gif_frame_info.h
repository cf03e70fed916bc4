// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kivo::gif {

class TGIFCanvas;
class TGIFSubImage;

// Diagnostics of a decoded frame, for the command-line tool and for comparing decoders.

// "left top width height interlace transparent delay disposal": interlace 0 or 1, the transparent
// colour index or -1, the delay in hundredths of a second, the disposal method's ordinal.
std::string FrameInfoLine(const TGIFSubImage& frame);

// The frame's colour indexes in display row order as a binary PGM: "P5\n<width> <height>\n255\n"
// and one byte per pixel. A frame without pixels gives a 0 x 0 picture.
std::string FramePgm(const TGIFSubImage& frame);

// The canvas as an RGBA PAM ("P7", TUPLTYPE RGB_ALPHA): its pixels as composed, alpha 0 where
// nothing is painted.
std::string CanvasPam(const TGIFCanvas& canvas);

}  // namespace kivo::gif
