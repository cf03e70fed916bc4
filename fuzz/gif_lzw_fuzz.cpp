// Feeds arbitrary image data to the LZW decoder alone. The first three bytes choose the frame's
// width, height and interlacing; the rest is the minimum code size byte and the sub-blocks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gif/gif_lzw.h"
#include "gif/gif_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int width = 1 + data[0] % 97;
  const int height = 1 + data[1] % 97;
  const bool interlaced = (data[2] & 1) != 0;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height, 0xA5);
  TGIFStream stream(data + 3, size - 3);
  try {
    DecodeLZW(stream, TGIFLZWFrame{pixels.data(), width, height, interlaced}, [](const std::string&) {});
  } catch (const GIFException&) {
  }
  if (stream.Position() > size - 3) __builtin_trap();
  return 0;
}
