// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// GIF screenshots in the real window's preview: an animation shows the frames the decoder composes,
// in order and looping, ends on its last frame, and stops cleanly when the selection or the window
// goes away; a still GIF leaves the background under its transparent pixels; a GIF whose first
// frame has no colours is refused at load. How each frame is composed is the GIF tests' own.
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <optional>

#include "gif/gif_animation.h"
#include "gif/gif_image.h"
#include "gif/ui/gif_graphic.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "gui/support/preview_check.h"
#include "support/gif_builder.h"

using namespace kivo::app;
using namespace kivo::gif;
using namespace kivo::screenshots;

namespace {

struct GifPreviewFixture : FormFixture {
  GifPreviewFixture() {
    SetIni("[General]\nRun first=0\nROMDirectory=" + romDir.Path() + "\nMediaPath=" + media.Path() + "\n");
    for (const char* name : {"Racer.smc", "Still.smc"}) WriteTestFile(romDir / name, "x");
  }
  TempDir media;
};

const std::vector<GifRgb> kPalette = {{255, 0, 255}, {20, 40, 200}, {220, 60, 10}, {250, 250, 240}};

// A frame of indexes that differ between neighbours, with index 0 on a checkerboard of 3 x 2 cells
// so transparent pixels sit between opaque ones.
GifFrameSpec Frame(int left, int top, int width, int height, int seed) {
  GifFrameSpec frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.lzw.minCodeSize = 2;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      frame.pixels.push_back((x / 3 + y / 2) % 2 == 0 ? 0 : static_cast<uint8_t>(1 + (x + 2 * y + seed) % 3));
  }
  return frame;
}

// Three frames on a 48 x 36 screen: a full picture kept, a transparent patch cleared after it is
// shown, and a corner with its own colours undone after it is shown.
std::string ThreeFrames(std::optional<uint16_t> loops, int delay = 3, int secondDelay = 3) {
  GifBuilder gif;
  gif.Screen(48, 36, kPalette);
  if (loops) gif.Loop(*loops);
  GifFrameSpec corner = Frame(30, 20, 10, 10, 2);
  corner.localMap = {{0, 120, 0}, {255, 255, 0}, {0, 200, 200}, {90, 0, 90}};
  gif.GraphicControl(1, delay, std::nullopt).Frame(Frame(0, 0, 48, 36, 0));
  gif.GraphicControl(2, secondDelay, 0).Frame(Frame(8, 6, 20, 12, 1));
  gif.GraphicControl(3, delay, std::nullopt).Frame(corner);
  return gif.Trailer().Bytes();
}

// The preview after each frame, as the decoder composes the frames.
std::vector<QImage> Expected(const std::string& bytes, QRgb background) {
  TGIFImage image;
  image.LoadFromBytes(bytes);
  TGIFCanvas canvas(image);
  std::vector<QImage> shown;
  for (int i = 0; i < image.FrameCount(); ++i) {
    canvas.Render(i);
    QImage screen(canvas.Width(), canvas.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < canvas.Height(); ++y) {
      for (int x = 0; x < canvas.Width(); ++x) screen.setPixel(x, y, canvas.Pixels()[y * canvas.Width() + x]);
    }
    shown.push_back(InPreview(screen, background));
  }
  return shown;
}

// Waits (events running) until the preview shows `want`, checking that every picture seen on the
// way is one of `frames`: a half-composed or torn frame would be none of them.
QString WaitForFrame(TMainForm& form, const QImage& want, const std::vector<QImage>& frames) {
  QString stray;
  const bool seen = QTest::qWaitFor(
      [&] {
        QImage shown = Shown(form);
        if (shown == want) return true;
        if (std::find(frames.begin(), frames.end(), shown) == frames.end() && stray.isEmpty())
          stray = "a picture that is no frame: " + Mismatch(shown, want);
        return false;
      },
      10000);
  if (!stray.isEmpty()) return stray;
  return seen ? QString() : "never shown; last difference: " + Mismatch(Shown(form), want);
}

TGIFGraphic* ShownGif(TMainForm& form) {
  return qobject_cast<TGIFGraphic*>(Child<PreviewImage>(form, "imgPreview0")->Graphic());
}

}  // namespace

class GifPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void animationPlaysItsFramesInOrderAndLoops() {
    GifPreviewFixture f;
    const std::string bytes = ThreeFrames(0, 10, 10);
    WriteTestFile(f.media / "Racer.gif", bytes);
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Racer"));
    QVERIFY(f.dialogs.Errors().empty());
    TGIFGraphic* gif = ShownGif(form);
    QVERIFY(gif);
    QSignalSpy changes(gif, &TGraphic::Changed);

    const std::vector<QImage> frames = Expected(bytes, Background(form));
    QVERIFY_EMPTY(Mismatch(Shown(form), frames[0]));  // the first frame is there at once
    for (int i : {1, 2, 0, 1}) QVERIFY_EMPTY(WaitForFrame(form, frames[i], frames));
    QVERIFY(gif->Animating());
    // Every frame was announced, so the preview repaints by itself and not only when grabbed.
    QVERIFY(changes.count() >= 4);
  }

  // Played once (no loop extension): the painter's thread ends and the last frame stays.
  void animationWithoutLoopEndsOnItsLastFrame() {
    GifPreviewFixture f;
    const std::string bytes = ThreeFrames(std::nullopt);
    WriteTestFile(f.media / "Racer.gif", bytes);
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Racer"));
    TGIFGraphic* gif = ShownGif(form);
    QVERIFY(gif && gif->Animated());
    const std::vector<QImage> frames = Expected(bytes, Background(form));
    QVERIFY_EMPTY(WaitForFrame(form, frames[2], frames));
    QTRY_VERIFY_WITH_TIMEOUT(!gif->Animating(), 10000);
    QCoreApplication::processEvents();
    QVERIFY_EMPTY(Mismatch(Shown(form), frames[2]));
  }

  // The next selection, or the window's close, ends the animation at once, its painter with it:
  // frames it announced before it stopped never reach the next picture.
  void nextSelectionAndCloseStopTheAnimation() {
    GifPreviewFixture f;
    const std::string bytes = ThreeFrames(0);
    WriteTestFile(f.media / "Racer.gif", bytes);
    QImage still(60, 40, QImage::Format_RGB32);
    still.fill(qRgb(10, 200, 30));
    QVERIFY(still.save(QString::fromStdString(f.media / "Still.bmp"), "BMP"));
    TMainForm& form = f.Start();
    const std::vector<QImage> frames = Expected(bytes, Background(form));
    QVERIFY(f.Click("Racer"));
    QPointer<TGIFGraphic> gif = ShownGif(form);
    QVERIFY_EMPTY(WaitForFrame(form, frames[1], frames));
    QVERIFY(f.Click("Still"));
    QVERIFY(!gif);
    for (int i = 0; i < 5; ++i) {
      QTest::qWait(20);
      QVERIFY_PREVIEW(form, still);
    }

    // The second frame stays for ten minutes: closing must not wait for it.
    WriteTestFile(f.media / "Racer.gif", ThreeFrames(0, 3, 50000));
    QVERIFY(f.Click("Racer"));
    gif = ShownGif(form);
    QVERIFY_EMPTY(WaitForFrame(form, frames[1], frames));
    f.Close();
    f.form.reset();
    QVERIFY(!gif);
    QCoreApplication::processEvents();  // nothing queued for the dead preview may run
  }

  // A frame covering part of the screen: the rest, and its transparent pixels, show the
  // preview's background, not what the screenshot before left there.
  void stillGifLeavesTheBackgroundUnderTransparentPixels() {
    GifPreviewFixture f;
    QImage before(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    for (int y = 0; y < kPreviewHeight; ++y) {
      for (int x = 0; x < kPreviewWidth; ++x) before.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * y) & 0xFF));
    }
    QVERIFY(before.save(QString::fromStdString(f.media / "Still.bmp"), "BMP"));
    GifBuilder gif;
    gif.Screen(40, 20, kPalette).GraphicControl(0, 0, 0).Frame(Frame(5, 4, 23, 9, 3));
    const std::string bytes = gif.Trailer().Bytes();
    WriteTestFile(f.media / "Racer.gif", bytes);
    TMainForm& form = f.Start();

    QVERIFY(f.Click("Still"));
    QVERIFY(f.Click("Racer"));
    QVERIFY(f.dialogs.Errors().empty());
    QVERIFY(ShownGif(form) && !ShownGif(form)->Animated());
    QVERIFY_EMPTY(Mismatch(Shown(form), Expected(bytes, Background(form))[0]));
  }

  // No global map, and a first frame without a map of its own: nothing says what its indexes mean,
  // and a later frame with its own colours does not make up for that. Refused at load, before
  // anything is shown: the picture before stays.
  void frameWithoutColoursIsRefusedWhenLoaded() {
    GifPreviewFixture f;
    QImage good(30, 30, QImage::Format_RGB32);
    good.fill(qRgb(200, 100, 0));
    QVERIFY(good.save(QString::fromStdString(f.media / "Still.bmp"), "BMP"));
    GifFrameSpec second = Frame(0, 0, 8, 8, 1);
    second.localMap = kPalette;
    WriteTestFile(f.media / "Racer.gif",
                  GifBuilder().Screen(8, 8, {}).Loop(0).Frame(Frame(0, 0, 8, 8, 0)).Frame(second).Trailer().Bytes());
    TMainForm& form = f.Start();

    QVERIFY(f.Click("Still"));
    TGraphic* shown = Child<PreviewImage>(form, "imgPreview0")->Graphic();
    QVERIFY(f.Click("Racer"));
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{"No global or local color table defined."});
    QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), shown);
    QVERIFY(!form.Preview().TitleShown());
  }
};

QTEST_MAIN(GifPreviewTest)
#include "gif_preview_test.moc"
