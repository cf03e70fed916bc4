// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <string>

// giflib reading a GIF held in memory: the reference decoder the GIF tests compare KIVO's with,
// and the anchor its GIF figures are measured against. Header-only, so the benchmarks use it
// without the test libraries.

struct GiflibMemoryReader {
  const std::string* bytes;
  size_t position = 0;
};

inline int GiflibReadMemory(GifFileType* gif, GifByteType* buffer, int count) {
  auto* reader = static_cast<GiflibMemoryReader*>(gif->UserData);
  size_t n = std::min(static_cast<size_t>(count), reader->bytes->size() - reader->position);
  std::memcpy(buffer, reader->bytes->data() + reader->position, n);
  reader->position += n;
  return static_cast<int>(n);
}

// Opens the reader's bytes with giflib; null, with `error` set, when giflib refuses them. The
// reader and its bytes must outlive the handle.
inline GifFileType* GiflibOpenMemory(GiflibMemoryReader& reader, int* error) {
  return DGifOpen(&reader, GiflibReadMemory, error);
}
