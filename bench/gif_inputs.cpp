// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif_inputs.h"

#include <gif_lib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

int WriteToString(GifFileType* gif, const GifByteType* bytes, int count) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
  return count;
}

// Picture-like content: smooth areas and edges with a little noise, in 256 colours.
uint8_t Pixel(int x, int y, int frame, uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  if ((state >> 27) == 0) return static_cast<uint8_t>(state >> 9);
  int band = ((x + frame * 3) / 9 + (y / 6)) & 0x3F;
  int shade = ((x * x + y * y) >> 13) & 0x3;
  return static_cast<uint8_t>((band << 2) | shade);
}

std::string Encode(int width, int height, int frames) {
  std::string bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, WriteToString, &error);
  if (gif == nullptr) std::abort();
  GifColorType colors[256];
  for (int i = 0; i < 256; ++i) {
    colors[i] = GifColorType{static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i),
                             static_cast<GifByteType>((i * 7) & 0xFF)};
  }
  ColorMapObject* map = GifMakeMapObject(256, colors);
  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, width, height, 8, 0, map) != GIF_OK) std::abort();
  std::vector<GifPixelType> row(static_cast<size_t>(width));
  uint32_t state = 42;
  for (int f = 0; f < frames; ++f) {
    if (frames > 1) {
      GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 4, NO_TRANSPARENT_COLOR};
      GifByteType extension[4];
      EGifGCBToExtension(&gcb, extension);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    }
    if (EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_OK) std::abort();
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) row[static_cast<size_t>(x)] = Pixel(x, y, f, state);
      if (EGifPutLine(gif, row.data(), width) != GIF_OK) std::abort();
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return bytes;
}

}  // namespace

const std::string& LargePicture() {
  static const std::string bytes = Encode(2400, 2000, 1);
  return bytes;
}

const std::string& Animation() {
  static const std::string bytes = Encode(320, 240, 100);
  return bytes;
}
