// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What a GIF screenshot may cost in the window: the pictures the preview and its painter keep are
// taken from the image's budget when the file is opened, so a GIF whose frames fit but whose
// pictures would not is refused then, with the error report, and an animation plays to its end
// within what it was granted, the process's memory included.
#include <malloc.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <string>

#include "gif/gif_image.h"
#include "gif/ui/gif_graphic.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "support/gif_builder.h"

using namespace kivo::app;
using namespace kivo::common;
using namespace kivo::gif;
using namespace kivo::screenshots;

namespace {

// The process's resident memory, from Linux's own account, in bytes: now, and at most since the
// last ResetResidentPeak.
size_t StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stoul(line.substr(field.size() + 1)) * 1024;
  }
  return 0;
}
size_t Resident() { return StatusBytes("VmRSS"); }
size_t ResidentPeak() { return StatusBytes("VmHWM"); }
// Also hands freed heap pages back, and has every large block mapped on its own, so that what is
// resident is what is held: the heap would otherwise keep a freed picture's pages for the next.
bool ResetResidentPeak() {
  mallopt(M_MMAP_THRESHOLD, 64 << 10);
  malloc_trim(0);
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  return static_cast<bool>(clear.flush());
}

// Four 16 x 16 patches on a 2048 x 2048 screen, shown 36 ms each: kept, restored, cleared, kept. The
// screen's canvas and pictures, 16 MB each, are most of what the animation costs.
std::string Patches() {
  GifBuilder gif;
  gif.Screen(2048, 2048, {{0, 0, 0}, {250, 20, 20}, {20, 250, 20}, {20, 20, 250}});
  const int disposals[4] = {1, 3, 2, 1};
  for (int i = 0; i < 4; ++i) {
    GifFrameSpec patch;
    patch.left = 16 * i;
    patch.width = patch.height = 16;
    patch.pixels.assign(256, static_cast<uint8_t>(1 + i % 3));
    patch.lzw.minCodeSize = 2;
    gif.GraphicControl(disposals[i], 3, std::nullopt).Frame(patch);
  }
  return gif.Trailer().Bytes();
}

GifOptions WithBudget(size_t bytes) {
  GifOptions limits;
  limits.memoryBudget = bytes;
  return limits;
}

}  // namespace

class GifBudgetTest : public QObject {
  Q_OBJECT

 private slots:
  void framesThatFitButNotTheirPicturesAreRefusedWithTheErrorReport() {
    FormFixture f;
    TempDir media;
    f.SetIni("[General]\nRun first=0\nROMDirectory=" + f.romDir.Path() + "\nMediaPath=" + media.Path() + "\n");
    WriteTestFile(f.romDir / "Good.smc", "x");
    WriteTestFile(f.romDir / "Racer.smc", "x");
    QImage good(30, 30, QImage::Format_RGB32);
    good.fill(qRgb(200, 100, 0));
    QVERIFY(good.save(QString::fromStdString(media / "Good.bmp"), "BMP"));
    // A hundred bytes: four 4096 x 4096 frames without data fit the default budget (64 MB of pixels);
    // their canvas, the canvas saved for "restore previous" and the three pictures of the animation
    // (320 MB more) would not.
    GifBuilder gif;
    gif.Screen(4096, 4096, {{0, 0, 0}, {255, 255, 255}});
    GifFrameSpec full;
    full.width = full.height = 4096;
    for (int i = 0; i < 4; ++i) gif.GraphicControl(3, 1, std::nullopt).Descriptor(full).Raw(std::string("\x02\x00", 2));
    WriteTestFile(media / "Racer.gif", gif.Trailer().Bytes());
    TMainForm& form = f.Start();

    QVERIFY(f.Click("Good"));
    TGraphic* shown = Child<PreviewImage>(form, "imgPreview0")->Graphic();
    QVERIFY(f.Click("Racer"));
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{"Image too large to decode."});
    QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), shown);
  }

  void animationPlaysToItsEndWithinWhatItWasGranted() {
    const std::string bytes = Patches();
    size_t granted = 0;
    {
      TGIFGraphic probe(bytes);
      granted = probe.Image().Budget().Used();
    }
    // Everything is taken while the file is opened: one byte less and it is refused then.
    try {
      TGIFGraphic refused(bytes, WithBudget(granted - 1));
      QFAIL("no error raised");
    } catch (const KivoError& error) {
      QCOMPARE(QString(error.what()), QString("Image too large to decode"));
    }

    QVERIFY(ResetResidentPeak());
    const size_t before = Resident();
    {
      TGIFGraphic gif(bytes, WithBudget(granted));
      QVERIFY(gif.Animated());
      QSignalSpy changes(&gif, &TGraphic::Changed);
      QImage target(64, 64, QImage::Format_ARGB32_Premultiplied);
      QPainter painter(&target);
      gif.Draw(painter);
      // A frame the painter could not compose within the grant would end the animation early, on
      // some other picture than the last.
      QTRY_VERIFY_WITH_TIMEOUT(!gif.Animating(), 10000);
      QCoreApplication::processEvents();
      QVERIFY(changes.count() >= 1);
      const QImage last = gif.Frame();
      QCOMPARE(last.pixel(8, 8), qRgb(250, 20, 20));   // kept
      QCOMPARE(last.pixel(24, 8), 0u);                 // restored to what was under it
      QCOMPARE(last.pixel(40, 8), 0u);                 // cleared
      QCOMPARE(last.pixel(56, 8), qRgb(250, 20, 20));  // kept
      painter.drawImage(0, 0, last);
    }
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer pads every block and holds freed ones back on purpose: the process's resident
    // size then says nothing about what the codec held.
    (void)before;
    return;
#endif
    // The window's side (the painter's thread, the drawing) adds a few megabytes at most, less than
    // one of the 16 MB pictures would.
    const size_t peak = ResidentPeak() - before;
    QVERIFY2(peak <= granted + (size_t{8} << 20),
             qPrintable(QString("peak %1 bytes for a grant of %2").arg(peak).arg(granted)));
  }
};

QTEST_MAIN(GifBudgetTest)
#include "gif_budget_test.moc"
