// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_frame_info.h"

#include "gif/gif_animation.h"
#include "gif/gif_sub_image.h"

namespace kivo::gif {

std::string FrameInfoLine(const TGIFSubImage& frame) {
  std::optional<uint8_t> transparent = frame.TransparentIndex();
  return std::to_string(frame.Left()) + " " + std::to_string(frame.Top()) + " " + std::to_string(frame.Width()) + " " +
         std::to_string(frame.Height()) + " " + (frame.Interlaced() ? "1" : "0") + " " +
         std::to_string(transparent ? int{*transparent} : -1) + " " + std::to_string(frame.Delay()) + " " +
         std::to_string(static_cast<int>(frame.Disposal()));
}

std::string FramePgm(const TGIFSubImage& frame) {
  const bool empty = frame.Data().empty();
  std::string pgm =
      "P5\n" + std::to_string(empty ? 0 : frame.Width()) + " " + std::to_string(empty ? 0 : frame.Height()) + "\n255\n";
  pgm.append(reinterpret_cast<const char*>(frame.Data().data()), frame.Data().size());
  return pgm;
}

std::string CanvasPam(const TGIFCanvas& canvas) {
  std::string pam = "P7\nWIDTH " + std::to_string(canvas.Width()) + "\nHEIGHT " + std::to_string(canvas.Height()) +
                    "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  pam.reserve(pam.size() + canvas.Pixels().size() * 4);
  for (uint32_t argb : canvas.Pixels()) {
    for (int shift : {16, 8, 0, 24}) pam += static_cast<char>((argb >> shift) & 0xFF);
  }
  return pam;
}

}  // namespace kivo::gif
