// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include "gif/gif_animation.h"

namespace kivo::gif {

class TGIFImage;

// The composed canvas as a picture the window can draw: 0xAARRGGBB pixels are ARGB32 as they stand.
QImage CanvasImage(const TGIFCanvas& canvas);
// What one such picture holds in memory.
size_t CanvasImageCost(const TGIFCanvas& canvas);

// Animates a multi-frame GIF on its own thread, so neither decoding a frame nor waiting out its
// delay ever holds up the window. The thread owns the image and the canvas while it runs: the
// window only ever sees finished frames, copied into a QImage and handed over through TakeFrame.
//
// Timing: after a frame is shown the painter waits the frame's delay (FrameDelay: its own delay
// raised to the image options' minimum, lowered to their maximum unless the image draws with
// goAsync, their default without one) in the options' units, scaled by 100 / AnimationSpeed, less
// the time the next frame took to compose. Loops follow TGIFPlayback; the thread ends with the
// animation, leaving its last frame on show.
//
// Memory: besides the picture the window shows, the painter holds at most two of its own, the one
// waiting in TakeFrame and the one it composes; composing takes nothing from the image's budget
// (the holder charges these pictures, and the canvas and bitmaps are made before it starts).
class TGIFPainter : public QThread {
  Q_OBJECT

 public:
  // `canvas` holds the first frame of the playback, already shown; both outlive the painter.
  TGIFPainter(TGIFImage& image, TGIFCanvas& canvas);
  // Stops the animation and waits for the thread.
  ~TGIFPainter() override;

  // Ends the animation as soon as the thread notices (at once when it is waiting) and waits for it.
  void Stop();
  // The frame composed last. Until it is taken, newer frames replace it without a further
  // FrameReady, so a window too busy to paint never piles up frames.
  QImage TakeFrame();

 signals:
  // A new frame waits in TakeFrame. Emitted on the painter's thread.
  void FrameReady();

 protected:
  void run() override;

 private:
  // Waits up to `milliseconds`; false when the painter is being stopped.
  bool Wait(int milliseconds);
  void Publish(QImage frame);

  TGIFImage& image_;
  TGIFCanvas& canvas_;
  QMutex mutex_;
  QWaitCondition wake_;
  bool stopping_ = false;
  QImage latest_;
  bool announced_ = false;
};

}  // namespace kivo::gif
