// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The screenshot preview of the real window: which picture imgPreview0 shows for each selection (the
// title picture, a BMP, a GIF still or animated), compared pixel by pixel with what was painted on
// screen; what a picture that cannot be shown leaves behind; "Archive screenshot"; a click on the
// preview. Decoding and composing the pictures, and finding them, are the unit tests' own.
#include <QAction>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <optional>

#include "gif/ui/gif_graphic.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "screenshots/picture_placement.h"
#include "support/gif_builder.h"

using namespace kivo::app;
using namespace kivo::screenshots;

namespace {

// A window whose settings name a media folder and a save folder of the test's own.
struct PreviewFixture : FormFixture {
  PreviewFixture() {
    SetIni("[General]\nRun first=0\nROMDirectory=" + romDir.Path() + "\nMediaPath=" + media.Path() +
           "\nSavegamePath=" + save.Path() + "\n");
  }
  // Entries of these captions, as ROM files.
  void Roms(std::initializer_list<const char*> captions) {
    for (const char* caption : captions) WriteTestFile(romDir / (std::string(caption) + ".smc"), "x");
  }
  PreviewImage* Preview() { return Child<PreviewImage>(*form, "imgPreview0"); }
  TempDir media;
  TempDir save;
};

const std::vector<GifRgb> kPalette = {{255, 0, 255}, {20, 40, 200}, {220, 60, 10}, {250, 250, 240}};

// A picture of kPalette's colours, in runs and gradients with noise, so a shift, a stretch or a crop
// shows; each seed gives another. Nothing is painted where the index is `transparent`.
QImage Picture(int width, int height, int seed, int transparent = -1) {
  const std::vector<uint8_t> pixels = GifTestPixels(width, height, 4, seed);
  QImage image(width, height, QImage::Format_ARGB32);
  for (int i = 0; i < width * height; ++i) {
    const GifRgb colour = kPalette[pixels[i]];
    image.setPixel(i % width, i / width, pixels[i] == transparent ? 0 : qRgb(colour.r, colour.g, colour.b));
  }
  return image;
}

bool Save(const QImage& image, const std::string& path) { return image.save(QString::fromStdString(path)); }

// A frame of the whole 48 x 36 screen: Picture(48, 36, seed).
GifFrameLayout Frame(int seed) {
  return {.width = 48, .height = 36, .pixels = GifTestPixels(48, 36, 4, seed), .lzw = {.minCodeSize = 2}};
}

// Three frames, the second shown for `secondDelay` hundredths of a second, the others for 3.
std::string Animation(std::optional<uint16_t> loops, int secondDelay = 3) {
  GifBuilder gif;
  gif.Screen(48, 36, kPalette);
  if (loops) gif.Loop(*loops);
  for (int i = 0; i < 3; ++i) gif.GraphicControl(1, i == 1 ? secondDelay : 3, std::nullopt).Frame(Frame(i));
  return gif.Trailer().Bytes();
}

// The preview with `picture` at the whole multiple the preview's size holds, centred (or at natural
// size from its top-left corner, clipped, when larger): every pixel of the picture a square of that
// side. Pixels of alpha 0, and everything outside the picture, show the control's background.
QImage InPreview(PreviewImage* preview, const QImage& picture) {
  QImage expected(preview->size(), QImage::Format_RGB32);
  expected.fill(preview->palette().color(preview->backgroundRole()));
  const auto [left, top, scale] =
      kivo::screenshots::PlacePicture(picture.width(), picture.height(), expected.width(), expected.height());
  for (int y = top; y < std::min(top + picture.height() * scale, expected.height()); ++y) {
    for (int x = left; x < std::min(left + picture.width() * scale, expected.width()); ++x) {
      const QRgb pixel = picture.pixel((x - left) / scale, (y - top) / scale);
      if (qAlpha(pixel) != 0) expected.setPixel(x, y, pixel);
    }
  }
  return expected;
}

// Waits (events running) until the preview shows `picture`. What was painted on screen is read, not
// a fresh rendering, so a picture that changed without asking for a repaint is not seen. With
// `between` given, only those may show on the way: a torn or half-composed frame is none of them.
bool Shows(PreviewImage* preview, const QImage& picture, const std::vector<QImage>& between = {}) {
  const QImage want = InPreview(preview, picture);
  std::vector<QImage> allowed;
  for (const QImage& other : between) allowed.push_back(InPreview(preview, other));
  bool stray = false;
  const bool seen = QTest::qWaitFor(
      [&] {
        const QPoint at = preview->mapTo(preview->window(), QPoint());
        const QPixmap grabbed = preview->screen()->grabWindow(preview->window()->winId(), at.x(), at.y(),
                                                              preview->width(), preview->height());
        const QImage shown = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
        stray = stray || (!allowed.empty() && std::find(allowed.begin(), allowed.end(), shown) == allowed.end());
        return shown == want;
      },
      5000);
  return seen && !stray;
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  // The title picture at start-up and for an entry without a screenshot, loaded once for a row of
  // such entries; a screenshot at natural size; a still GIF over it, the background under its
  // transparent pixels rather than what the screenshot left there.
  void eachSelectionShowsItsPicture() {
    PreviewFixture f;
    f.Roms({"Shot", "Still", "A", "B"});
    const QImage shot = Picture(320, 240, 1);
    QVERIFY(Save(shot, f.media / "Shot.png"));  // the native build's snapshots
    WriteTestFile(f.media / "Still.gif",
                  GifBuilder().Screen(48, 36, kPalette).GraphicControl(0, 0, 0).Frame(Frame(7)).Trailer().Bytes());
    f.Start();
    const QImage title(":/title.bmp");  // 256 x 223: taller than the control
    QVERIFY(Shows(f.Preview(), title));

    QPointer<TGraphic> shown = f.Preview()->Graphic();
    QVERIFY(f.Click("A"));
    QCOMPARE(f.Preview()->Graphic(), shown.data());  // there since start-up
    QVERIFY(f.Click("Shot"));
    QVERIFY(Shows(f.Preview(), shot));
    QVERIFY(f.Click("Still"));
    QVERIFY(Shows(f.Preview(), Picture(48, 36, 7, 0)));
    QVERIFY(f.Click("A"));
    QVERIFY(Shows(f.Preview(), title));
    shown = f.Preview()->Graphic();
    QVERIFY(f.Click("B"));
    QCOMPARE(f.Preview()->Graphic(), shown.data());  // kept, not loaded again
    QVERIFY(f.dialogs.Errors().empty());
  }

  // Reported, and the selection itself goes through; the preview keeps what it showed, title or
  // screenshot, and the title still counts as shown, so the next entry without one keeps it too.
  void brokenPictureIsReportedAndThePreviewStaysAsItWas() {
    PreviewFixture f;
    f.Roms({"Good", "None", "Cut", "Colourless", "Huge"});
    QVERIFY(Save(Picture(80, 50, 2), f.media / "Good.bmp"));
    QVERIFY(Save(Picture(64, 32, 3), f.media / "Cut.bmp"));
    const std::string whole = ReadTestFile(f.media / "Cut.bmp");
    WriteTestFile(f.media / "Cut.bmp", whole.substr(0, whole.size() - 1));
    // No global map, and a first frame without colours of its own, empty on a 0 x 0 screen, that the
    // others fall back on: the second frame has its own colours, the third none. Only the painter
    // would meet the third, where nobody could report it; the file is refused when opened.
    GifFrameLayout coloured = Frame(1);
    coloured.localMap = kPalette;
    WriteTestFile(f.media / "Colourless.gif",
                  GifBuilder().Screen(0, 0).Frame({}).Frame(coloured).Frame(Frame(2)).Trailer().Bytes());
    // Two frames without data, 16 MB each, and a 64 MB canvas fit the 256 MB an image may take;
    // the three 64 MB pictures an animation keeps besides do not.
    GifBuilder huge;
    huge.Screen(4096, 4096, kPalette);
    for (int i = 0; i < 2; ++i) huge.Descriptor({.width = 4096, .height = 4096}).Raw(std::string("\x02\x00", 2));
    WriteTestFile(f.media / "Huge.gif", huge.Trailer().Bytes());
    f.Start();

    const std::pair<const char*, const char*> cases[] = {{"Cut", "Bitmap image is not valid."},
                                                         {"Colourless", "No global or local color table defined."},
                                                         {"Huge", "Image too large to decode."}};
    for (const auto& [name, error] : cases) {
      for (const char* before : {"Good", "None"}) {
        QVERIFY(f.Click(before));
        const QPointer<TGraphic> shown = f.Preview()->Graphic();
        f.dialogs.messages.clear();
        QVERIFY(f.Click(name));
        QCOMPARE(f.dialogs.Errors(), std::vector<QString>{error});
        QCOMPARE(f.context.selectedRomFile, std::string(name) + ".smc");
        QCOMPARE(f.Preview()->Graphic(), shown.data());
      }
      const QPointer<TGraphic> title = f.Preview()->Graphic();
      QVERIFY(f.Click("None"));
      QCOMPARE(f.Preview()->Graphic(), title.data());
    }
  }

  // Each frame is painted when due, in order and looping, until the next selection ends the
  // animation; played once (no loop extension), it ends on its last frame; closing the window does
  // not wait for a frame due in ten minutes.
  void animationPlaysUntilItsEndTheNextSelectionOrTheClose() {
    PreviewFixture f;
    f.Roms({"Racer", "Still"});
    WriteTestFile(f.media / "Racer.gif", Animation(0));
    const QImage still = Picture(60, 40, 4);
    QVERIFY(Save(still, f.media / "Still.bmp"));
    f.Start();
    const std::vector<QImage> frames = {Picture(48, 36, 0), Picture(48, 36, 1), Picture(48, 36, 2)};
    QVERIFY(f.Click("Racer"));
    QPointer<TGraphic> gif = f.Preview()->Graphic();
    QVERIFY(Shows(f.Preview(), frames[0]));
    for (int i : {1, 2, 0, 1}) QVERIFY2(Shows(f.Preview(), frames[i], frames), qPrintable(QString::number(i)));
    QVERIFY(f.Click("Still"));
    QVERIFY(!gif);
    QVERIFY(Shows(f.Preview(), still));

    WriteTestFile(f.media / "Racer.gif", Animation(std::nullopt));
    QVERIFY(f.Click("Racer"));
    auto* once = qobject_cast<kivo::gif::TGIFGraphic*>(f.Preview()->Graphic());
    QVERIFY(once && once->Animated());
    QTRY_VERIFY_WITH_TIMEOUT(!once->Animating(), 10000);
    QVERIFY(Shows(f.Preview(), frames[2]));

    WriteTestFile(f.media / "Racer.gif", Animation(0, 50000));
    QVERIFY(f.Click("Racer"));
    gif = f.Preview()->Graphic();
    QVERIFY(Shows(f.Preview(), frames[1]));
    f.Close();
    f.form.reset();
    QVERIFY(!gif);
    QCoreApplication::processEvents();  // nothing queued for the dead preview may run
  }

  // "Archive screenshot" files the emulator's screenshot under the selected entry's name, shown at
  // its next selection; with nothing selected it files nothing. Either way it says nothing.
  void archiveScreenshotFilesItUnderTheSelectedEntry() {
    PreviewFixture f;
    WriteTestFile(f.romDir / "Racer.zip", "x");
    const QImage shot = Picture(256, 224, 5);
    QVERIFY(Save(shot, f.save / "image.bmp"));
    f.Start();
    QAction* archive = Child<QAction>(*f.form, "Archivescreenshot1");
    archive->trigger();
    QVERIFY(kivo::platform::FileExists(f.save / "image.bmp"));
    QVERIFY(f.Click("Racer"));
    archive->trigger();
    QVERIFY(!kivo::platform::FileExists(f.save / "image.bmp"));
    QVERIFY(f.Click("Racer"));
    QVERIFY(Shows(f.Preview(), shot));
    QVERIFY(f.dialogs.messages.empty());
  }

  // A click on the preview opens the selected entry; a press released outside it is no click.
  void clickOnThePreviewOpensTheSelectedEntry() {
    PreviewFixture f;
    MakeTestDir(f.romDir / "inner");
    f.Start();
    QVERIFY(f.Click("inner"));
    QTest::mousePress(f.Preview(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(f.Preview(), Qt::LeftButton, {}, QPoint(300, 10));
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir.Path());
    QTest::mouseClick(f.Preview(), Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir / "inner");
  }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
