// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/ui/gif_painter.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <algorithm>
#include <cstring>
#include <exception>

#include "gif/gif_image.h"

namespace kivo::gif {

QImage CanvasImage(const TGIFCanvas& canvas) {
  if (canvas.Width() <= 0 || canvas.Height() <= 0) return {};
  QImage image(canvas.Width(), canvas.Height(), QImage::Format_ARGB32);
  if (image.isNull()) return image;  // too large to hold: nothing is drawn
  const uint32_t* pixels = canvas.Pixels().data();
  const size_t rowBytes = static_cast<size_t>(canvas.Width()) * sizeof(uint32_t);
  for (int y = 0; y < canvas.Height(); ++y) {
    std::memcpy(image.scanLine(y), pixels + static_cast<size_t>(y) * canvas.Width(), rowBytes);
  }
  return image;
}

size_t CanvasImageCost(const TGIFCanvas& canvas) {
  // The pixels, and the picture's own record beside them.
  return GifHeapCost(static_cast<size_t>(std::max(canvas.Width(), 0)) * std::max(canvas.Height(), 0) *
                     sizeof(uint32_t)) +
         GifHeapCost(256);
}

TGIFPainter::TGIFPainter(TGIFImage& image, TGIFCanvas& canvas) : image_(image), canvas_(canvas) {}

TGIFPainter::~TGIFPainter() { Stop(); }

void TGIFPainter::Stop() {
  {
    QMutexLocker lock(&mutex_);
    stopping_ = true;
    wake_.wakeAll();
  }
  wait();
}

QImage TGIFPainter::TakeFrame() {
  QMutexLocker lock(&mutex_);
  announced_ = false;
  return latest_;
}

bool TGIFPainter::Wait(int milliseconds) {
  QMutexLocker lock(&mutex_);
  QDeadlineTimer deadline(milliseconds, Qt::PreciseTimer);
  // A wait may end early without a wake-up; only the deadline or Stop ends it.
  while (!stopping_ && !deadline.hasExpired()) wake_.wait(&mutex_, deadline);
  return !stopping_;
}

void TGIFPainter::Publish(QImage frame) {
  bool announce = false;
  {
    QMutexLocker lock(&mutex_);
    latest_ = std::move(frame);
    announce = !announced_;
    announced_ = true;
  }
  if (announce) emit FrameReady();
}

void TGIFPainter::run() {
  const bool async = image_.DrawOptions().Has(goAsync);
  TGIFPlayback playback(image_, image_.DrawOptions());
  int shown = playback.First();
  try {
    while (shown >= 0) {
      // The next frame is composed while the shown one is still due, and the time that took comes
      // off the wait, so frames appear at their delays however long composing takes.
      QElapsedTimer clock;
      clock.start();
      const int next = playback.Next();
      if (next < 0) return;
      canvas_.Render(next);
      QImage frame = CanvasImage(canvas_);
      const int paintMs = static_cast<int>(clock.elapsed());
      const GifOptions& options = image_.Options();
      const int delay = FrameDelay(*image_.Frame(shown), options, async);
      if (!Wait(FrameWaitMilliseconds(delay, options, image_.AnimationSpeed, paintMs))) {
        return;
      }
      Publish(std::move(frame));
      shown = next;
    }
  } catch (const std::exception&) {
    // Every frame's colours were checked when the file was loaded, so this is a frame that could not
    // be held in memory; the animation ends on the frame already shown rather than taking the
    // program down from a thread.
  }
}

}  // namespace kivo::gif
