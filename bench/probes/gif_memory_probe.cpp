// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// One GIF decoded in a process of its own, for the memory figures: writes to OUTPUT how far the
// resident memory rose, at its peak, while the file's bytes (already read) were decoded and held.
//   kivo_gif_memory_probe kivo FILE OUTPUT     TGIFImage, as the preview reads a screenshot
//   kivo_gif_memory_probe giflib FILE OUTPUT   giflib's DGifSlurp on the same bytes
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "gif/gif_image.h"
#include "peak_memory.h"
#include "support/giflib_memory.h"

using namespace kivo::gif;

namespace {

bool DecodeWithKivo(const std::string& bytes) {
  TGIFImage image;
  image.LoadFromBytes(bytes);
  return image.Frame(0) != nullptr;
}

bool DecodeWithGiflib(const std::string& bytes) {
  GiflibMemoryReader reader{&bytes};
  int error = 0;
  GifFileType* gif = GiflibOpenMemory(reader, &error);
  const bool decoded = gif != nullptr && DGifSlurp(gif) == GIF_OK;
  if (gif != nullptr) DGifCloseFile(gif, &error);
  return decoded;
}

}  // namespace

int main(int argc, char** argv) {
  const bool kivo = argc == 4 && std::strcmp(argv[1], "kivo") == 0;
  const bool giflib = argc == 4 && std::strcmp(argv[1], "giflib") == 0;
  if (!kivo && !giflib) return 2;
  std::ifstream file(argv[2], std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return 3;
  const size_t baseline = ResetPeakMemory();
  try {
    if (!(kivo ? DecodeWithKivo(bytes) : DecodeWithGiflib(bytes))) return 3;
  } catch (...) {
    return 3;
  }
  return WritePeakMemory(argv[3], PeakMemoryAbove(baseline)) ? 0 : 4;
}
