// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// GIF decoding: TGIFImage reading a large picture and a 100-frame animation from memory, against
// giflib's DGifSlurp on the same bytes. The inputs are written by giflib's own encoder, so neither
// side reads data shaped by the other's writer.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gif/gif_image.h"
#include "gif_inputs.h"
#include "harness.h"
#include "support/giflib_memory.h"

using namespace kivo::gif;

namespace {

void GiflibDecode(benchmark::State& state, const std::string& bytes) {
  for (auto _ : state) {
    GiflibMemoryReader reader{&bytes};
    int error = 0;
    GifFileType* gif = GiflibOpenMemory(reader, &error);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK) std::abort();
    benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits[0]);
    DGifCloseFile(gif, &error);
  }
}

void KivoDecode(benchmark::State& state, const std::string& bytes) {
  for (auto _ : state) {
    TGIFImage image;
    image.LoadFromBytes(bytes);
    benchmark::DoNotOptimize(image.Frame(0)->Data()[0]);
  }
}

KIVO_FIGURE(
    "gif_large", "GIF decode of a 2400 x 2000 picture", 0.8, [](benchmark::State& s) { KivoDecode(s, LargePicture()); },
    [](benchmark::State& s) { GiflibDecode(s, LargePicture()); });
KIVO_FIGURE(
    "gif_animation", "GIF decode of a 100-frame 320 x 240 animation", 0.8,
    [](benchmark::State& s) { KivoDecode(s, Animation()); }, [](benchmark::State& s) { GiflibDecode(s, Animation()); });

}  // namespace
