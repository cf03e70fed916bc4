// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// GIF screenshots in the real window's preview: an animation plays its composed frames in order and
// loops, ends on its last frame, stops cleanly when the preview or the window goes away; a still
// GIF leaves the background under its transparent pixels and outside its frame; a GIF the preview
// whose first frame has no colours is refused at load, before anything is shown.
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <optional>

#include "common/error.h"
#include "gif/ui/gif_graphic.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "gui/support/preview_check.h"
#include "screenshots/ui/picture_holder.h"
#include "support/gif_builder.h"

using namespace kivo::app;
using namespace kivo::browser;
using namespace kivo::common;
using namespace kivo::gif;
using namespace kivo::launch;
using namespace kivo::screenshots;

namespace {

struct GifPreviewFixture : FormFixture {
  GifPreviewFixture() {
    SetIni("[General]\nRun first=0\nROMDirectory=" + romDir.Path() + "\nMediaPath=" + media.Path() + "\n");
    WriteTestFile(romDir / "Racer.smc", "x");  // the game whose screenshot each test shows
  }
  TempDir media;
};

// One frame as the test encodes it, with its graphic control extension.
struct TestFrame {
  GifFrameSpec desc;
  int disposal = 1;  // 1 keep, 2 clear to the background, 3 restore what was there before
  int delay = 10;
  std::optional<uint8_t> transparent;
};

// Indexes below `colors` that differ between neighbours, with index 0 on a checkerboard of 3 x 2
// cells so transparent pixels sit between opaque ones.
TestFrame MakeFrame(int left, int top, int width, int height, int colors, int seed) {
  TestFrame frame;
  frame.desc.left = left;
  frame.desc.top = top;
  frame.desc.width = width;
  frame.desc.height = height;
  frame.desc.lzw.minCodeSize = 2;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool cell = (x / 3 + y / 2) % 2 == 0;
      frame.desc.pixels.push_back(cell ? 0 : static_cast<uint8_t>(1 + (x + 2 * y + seed) % (colors - 1)));
    }
  }
  return frame;
}

std::string EncodeGif(int width, int height, const std::vector<GifRgb>& globalMap, const std::vector<TestFrame>& frames,
                      std::optional<uint16_t> loops) {
  GifBuilder gif;
  gif.Screen(width, height, globalMap);
  if (loops) gif.Loop(*loops);
  for (const TestFrame& frame : frames)
    gif.GraphicControl(frame.disposal, frame.delay, frame.transparent).Frame(frame.desc);
  return gif.Trailer().Bytes();
}

// Paints a frame over `canvas` as a viewer composes it: its opaque pixels at its place.
void PaintFrame(QImage& canvas, const TestFrame& frame, const std::vector<GifRgb>& globalMap) {
  const std::vector<GifRgb>& map = frame.desc.localMap.empty() ? globalMap : frame.desc.localMap;
  for (int y = 0; y < frame.desc.height; ++y) {
    for (int x = 0; x < frame.desc.width; ++x) {
      const uint8_t index = frame.desc.pixels[y * frame.desc.width + x];
      if (frame.transparent == index) continue;
      canvas.setPixel(frame.desc.left + x, frame.desc.top + y, qRgb(map[index].r, map[index].g, map[index].b));
    }
  }
}

void ClearFrameArea(QImage& canvas, const TestFrame& frame) {
  for (int y = 0; y < frame.desc.height; ++y) {
    for (int x = 0; x < frame.desc.width; ++x) canvas.setPixel(frame.desc.left + x, frame.desc.top + y, 0);
  }
}

QImage EmptyCanvas(int width, int height) {
  QImage canvas(width, height, QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  return canvas;
}

// Waits (events running) until the preview shows `want`, checking that every picture seen on the
// way is one of `frames`: a half-composed or torn frame would be none of them.
QString WaitForFrame(TMainForm& form, const QImage& want, const std::vector<QImage>& frames) {
  QString stray;
  const bool seen = QTest::qWaitFor(
      [&] {
        QImage shown = Shown(form);
        if (shown == want) return true;
        bool known = false;
        for (const QImage& frame : frames) known = known || shown == frame;
        if (!known && stray.isEmpty()) stray = "a picture that is no frame: " + Mismatch(shown, want);
        return false;
      },
      10000);
  if (!stray.isEmpty()) return stray;
  return seen ? QString() : "never shown; last difference: " + Mismatch(Shown(form), want);
}

TGIFGraphic* ShownGif(TMainForm& form) {
  return qobject_cast<TGIFGraphic*>(Child<PreviewImage>(form, "imgPreview0")->Graphic());
}

const std::vector<GifRgb> kPalette = {{255, 0, 255}, {20, 40, 200}, {220, 60, 10}, {250, 250, 240}};

// Three frames on a 48 x 36 screen: a full picture, a transparent patch cleared after it is shown,
// and a corner drawn with its own colours and undone after it is shown.
struct ThreeFrames {
  ThreeFrames() {
    TestFrame full = MakeFrame(0, 0, 48, 36, 4, 0);
    for (int i = 0; i < 48 * 36; ++i) full.desc.pixels[i] = static_cast<uint8_t>((i / 5 + i / 48) % 4);
    TestFrame patch = MakeFrame(8, 6, 20, 12, 4, 1);
    patch.disposal = 2;
    patch.transparent = 0;
    TestFrame corner = MakeFrame(30, 20, 10, 10, 4, 2);
    corner.disposal = 3;
    corner.desc.localMap = {{0, 120, 0}, {255, 255, 0}, {0, 200, 200}, {90, 0, 90}};
    frames = {full, patch, corner};

    QImage canvas = EmptyCanvas(48, 36);
    PaintFrame(canvas, full, kPalette);
    composed.push_back(canvas);
    PaintFrame(canvas, patch, kPalette);
    composed.push_back(canvas);
    ClearFrameArea(canvas, patch);
    PaintFrame(canvas, corner, kPalette);
    composed.push_back(canvas);
  }
  std::string Gif(std::optional<uint16_t> loops) const { return EncodeGif(48, 36, kPalette, frames, loops); }
  // The preview after each frame.
  std::vector<QImage> InPreview(QRgb background) const {
    std::vector<QImage> shown;
    for (const QImage& canvas : composed) shown.push_back(::InPreview(canvas, background));
    return shown;
  }

  std::vector<TestFrame> frames;
  std::vector<QImage> composed;  // the screen after each frame
};

}  // namespace

class GifPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void animationPlaysItsComposedFramesInOrderAndLoops() {
    GifPreviewFixture f;
    ThreeFrames anim;
    WriteTestFile(f.media / "Racer.gif", anim.Gif(0));
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Racer"));
    QVERIFY(f.dialogs.Errors().empty());
    TGIFGraphic* gif = ShownGif(form);
    QVERIFY(gif);
    QCOMPARE(gif->Size(), QSize(48, 36));
    QSignalSpy changes(gif, &TGraphic::Changed);

    const std::vector<QImage> frames = anim.InPreview(Background(form));
    // The first frame is there at once; the others follow in order, then the loop starts over.
    const QImage first = Shown(form);
    QVERIFY_EMPTY(Mismatch(first, frames[0]));
    QVERIFY_EMPTY(WaitForFrame(form, frames[1], frames));
    const QImage second = Shown(form);
    QVERIFY(second != first);
    QVERIFY_EMPTY(WaitForFrame(form, frames[2], frames));
    QVERIFY_EMPTY(WaitForFrame(form, frames[0], frames));
    QVERIFY_EMPTY(WaitForFrame(form, frames[1], frames));
    QVERIFY(gif->Animating());
    // Every frame was announced, so the preview repaints by itself and not only when grabbed.
    QVERIFY(changes.count() >= 4);
  }

  void animationWithoutLoopEndsOnItsLastFrame_data() {
    QTest::addColumn<int>("loops");  // -1: no loop extension
    QTest::newRow("no loop extension: played once") << -1;
    QTest::newRow("loop count 1: ends after its second play") << 1;
  }
  void animationWithoutLoopEndsOnItsLastFrame() {
    QFETCH(int, loops);
    GifPreviewFixture f;
    ThreeFrames anim;
    for (TestFrame& frame : anim.frames) frame.delay = 3;
    WriteTestFile(f.media / "Racer.gif", anim.Gif(loops < 0 ? std::nullopt : std::optional<uint16_t>(loops)));
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Racer"));
    TGIFGraphic* gif = ShownGif(form);
    QVERIFY(gif && gif->Animated());

    const std::vector<QImage> frames = anim.InPreview(Background(form));
    QVERIFY_EMPTY(WaitForFrame(form, frames[2], frames));
    // The painter's thread ends with the animation and the last frame stays.
    QTRY_VERIFY_WITH_TIMEOUT(!gif->Animating(), 10000);
    QCoreApplication::processEvents();
    QVERIFY_EMPTY(Mismatch(Shown(form), frames[2]));
  }

  void nextSelectionStopsTheAnimation() {
    GifPreviewFixture f;
    WriteTestFile(f.romDir / "Still.smc", "x");
    ThreeFrames anim;
    for (TestFrame& frame : anim.frames) frame.delay = 3;
    WriteTestFile(f.media / "Racer.gif", anim.Gif(0));
    QImage still(60, 40, QImage::Format_RGB32);
    still.fill(qRgb(10, 200, 30));
    QVERIFY(still.save(QString::fromStdString(f.media / "Still.bmp"), "BMP"));
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Racer"));
    QPointer<TGIFGraphic> gif = ShownGif(form);
    QVERIFY(gif);
    const std::vector<QImage> frames = anim.InPreview(Background(form));
    QVERIFY_EMPTY(WaitForFrame(form, frames[1], frames));
    QVERIFY(gif->Animating());

    QVERIFY(f.Click("Still"));
    QVERIFY(!gif);  // gone, with its painter
    // Frames the painter announced before it stopped must not reach the new picture.
    const QImage expected = InPreview(still, Background(form));
    for (int i = 0; i < 5; ++i) {
      QTest::qWait(20);
      QVERIFY_EMPTY(Mismatch(Shown(form), expected));
    }
  }

  void closingTheWindowStopsTheAnimationAtOnce() {
    GifPreviewFixture f;
    ThreeFrames anim;
    // The second frame stays for ten minutes: closing must not wait for it.
    anim.frames[0].delay = 3;
    anim.frames[1].delay = 50000;
    WriteTestFile(f.media / "Racer.gif", anim.Gif(0));
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Racer"));
    QPointer<TGIFGraphic> gif = ShownGif(form);
    const std::vector<QImage> frames = anim.InPreview(Background(form));
    QVERIFY_EMPTY(WaitForFrame(form, frames[1], frames));
    QVERIFY(gif && gif->Animating());

    f.Close();
    f.form.reset();
    QVERIFY(!gif);
    QCoreApplication::processEvents();  // nothing queued for the dead preview may run
  }

  void stillGifLeavesTheBackgroundUnderTransparentPixels_data() {
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("interlaced");
    QTest::newRow("transparent index 0") << true << false;
    QTest::newRow("no transparency: index 0 is painted") << false << false;
  }
  void stillGifLeavesTheBackgroundUnderTransparentPixels() {
    QFETCH(bool, transparent);
    QFETCH(bool, interlaced);
    GifPreviewFixture f;
    WriteTestFile(f.romDir / "Before.smc", "x");
    // A full-size screenshot first, so stale pixels anywhere would show.
    QImage before(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    for (int y = 0; y < kPreviewHeight; ++y) {
      for (int x = 0; x < kPreviewWidth; ++x) before.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * y) & 0xFF));
    }
    QVERIFY(before.save(QString::fromStdString(f.media / "Before.bmp"), "BMP"));
    // The frame covers only part of the logical screen; the rest is never painted either.
    TestFrame frame = MakeFrame(5, 4, 23, 9, 4, 3);
    frame.desc.interlaced = interlaced;
    if (transparent) frame.transparent = 0;
    WriteTestFile(f.media / "Racer.gif", EncodeGif(40, 20, kPalette, {frame}, std::nullopt));
    TMainForm& form = f.Start();

    QVERIFY(f.Click("Before"));
    QVERIFY(f.Click("Racer"));
    QVERIFY(f.dialogs.Errors().empty());
    TGIFGraphic* gif = ShownGif(form);
    QVERIFY(gif && !gif->Animated());
    QCOMPARE(gif->Size(), QSize(40, 20));
    QImage canvas = EmptyCanvas(40, 20);
    PaintFrame(canvas, frame, kPalette);
    QVERIFY_PREVIEW(form, canvas);
  }

  void frameWithoutColoursIsRefusedWhenLoaded_data() {
    QTest::addColumn<bool>("animated");
    QTest::newRow("a still picture") << false;
    QTest::newRow("the first frame of an animation") << true;
  }
  void frameWithoutColoursIsRefusedWhenLoaded() {
    QFETCH(bool, animated);
    GifPreviewFixture f;
    WriteTestFile(f.romDir / "Good.smc", "x");
    QImage good(30, 30, QImage::Format_RGB32);
    good.fill(qRgb(200, 100, 0));
    QVERIFY(good.save(QString::fromStdString(f.media / "Good.bmp"), "BMP"));
    // No global map, and a first frame without a map of its own: nothing says what its indexes
    // mean. A later frame with its own colours does not make up for that.
    std::vector<TestFrame> frames = {MakeFrame(0, 0, 8, 8, 4, 0)};
    if (animated) {
      frames.push_back(MakeFrame(0, 0, 8, 8, 4, 1));
      frames.back().desc.localMap = kPalette;
    }
    WriteTestFile(f.media / "Racer.gif", EncodeGif(8, 8, {}, frames, 0));
    TMainForm& form = f.Start();

    QVERIFY(f.Click("Good"));
    TGraphic* shown = Child<PreviewImage>(form, "imgPreview0")->Graphic();
    QVERIFY(f.Click("Racer"));
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{"No global or local color table defined."});
    QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), shown);
    QVERIFY(!form.Preview().TitleShown());
  }

  void unreadableFileIsReportedByName() {
    GifPreviewFixture f;
    f.Start(false);
    const std::string path = f.media / "gone.gif";
    try {
      picture_holder::LoadFromFile(path);
      QFAIL("no error raised");
    } catch (const KivoError& error) {
      QCOMPARE(QString(error.what()), QString::fromStdString("Cannot open file " + path));
    }
  }
};

QTEST_MAIN(GifPreviewTest)
#include "gif_preview_test.moc"
