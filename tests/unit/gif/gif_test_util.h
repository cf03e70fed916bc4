// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gif/gif_image.h"
#include "support/gif_builder.h"

// Loads GIF bytes into a new image and records what the reader reported.
struct GifLoad {
  std::unique_ptr<TGIFImage> image;
  std::vector<std::string> warnings;
  std::string error;  // empty when the load succeeded

  explicit GifLoad(const std::string& bytes, const GifOptions& limits = GifOptions{})
      : image(std::make_unique<TGIFImage>(limits)) {
    image->OnWarning = [this](TGIFItem*, TGIFSeverity, const std::string& message) { warnings.push_back(message); };
    try {
      image->LoadFromBytes(bytes);
    } catch (const GIFException& e) {
      error = e.what();
    }
  }
  TGIFSubImage& Frame(int index) const { return *image->Frame(index); }
};

// A frame of the given size and pixels at the top left, with the default encoder settings.
inline GifFrameSpec GifFrame(int width, int height, std::vector<uint8_t> pixels, int minCodeSize = 8) {
  GifFrameSpec frame;
  frame.width = width;
  frame.height = height;
  frame.pixels = std::move(pixels);
  frame.lzw.minCodeSize = minCodeSize;
  return frame;
}

// A complete one-frame GIF with a 4-colour global map.
inline std::string SimpleGif(int width, int height, const std::vector<uint8_t>& pixels,
                             const std::string& signature = "GIF89a") {
  return GifBuilder(signature)
      .Screen(width, height, GifTestPalette(4))
      .Frame(GifFrame(width, height, pixels, 2))
      .Trailer()
      .Bytes();
}
