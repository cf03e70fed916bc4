// Feeds arbitrary bytes to the GIF reader, then makes every frame's bitmap (plain and dithered)
// and composes the animation canvas, as the preview would.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gif/gif_animation.h"
#include "gif/gif_image.h"

namespace {

// Rendering is skipped for pictures the preview could take long over; reading is not.
constexpr int64_t kRenderLimit = int64_t{1} << 16;

void RenderAll(TGIFImage& image) {
  if (int64_t{image.Width()} * image.Height() <= kRenderLimit) {
    TGIFCanvas canvas(image);
    for (int i = 0; i < image.FrameCount() && i < 64; ++i) {
      try {
        canvas.Render(i);
      } catch (const GIFException&) {
      }
    }
  }
  for (int i = 0; i < image.FrameCount() && i < 64; ++i) {
    TGIFSubImage& frame = *image.Frame(i);
    if (int64_t{frame.Width()} * frame.Height() > kRenderLimit) continue;
    try {
      const TGIFBitmap& bitmap = frame.GetBitmap();
      if (bitmap.pixels.size() != static_cast<size_t>(bitmap.width) * bitmap.height) __builtin_trap();
    } catch (const GIFException&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Tighter bounds than a viewer's keep each input fast; the refusal path is the same.
  GIFMaximumPixels = kRenderLimit;
  GIFMaximumTotalPixels = 4 * kRenderLimit;
  TGIFImage image;
  try {
    image.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const GIFException&) {
    return 0;
  }
  for (int i = 0; i < image.FrameCount(); ++i) {
    const TGIFSubImage& frame = *image.Frame(i);
    if (!frame.Data().empty() && frame.Data().size() != static_cast<size_t>(frame.Width()) * frame.Height()) {
      __builtin_trap();
    }
  }
  RenderAll(image);
  image.SetDrawOptions(TGIFDrawOptions(image.DrawOptions()).Exclude(goAutoDither));  // dither everything
  RenderAll(image);
  return 0;
}
