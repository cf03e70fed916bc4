// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The screenshot preview and "Archive screenshot" on the real window: what imgPreview0 shows after a
// selection (compared pixel by pixel), when the title picture is loaded, what a damaged screenshot
// leaves behind, filing the emulator's screenshot, and a click on the preview.
#include <QAction>
#include <QPointer>
#include <QTest>

#include "browser/list_entry.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "gui/support/preview_check.h"
#include "platform/dirs.h"
#include "platform/files.h"

using namespace kivo::app;
using namespace kivo::browser;
using namespace kivo::screenshots;

namespace {

// A window whose settings name a media folder and a save folder of the test's own.
struct PreviewFixture : FormFixture {
  PreviewFixture() {
    SetIni("[General]\nRun first=0\nROMDirectory=" + romDir.Path() + "\nMediaPath=" + media.Path() +
           "\nSavegamePath=" + save.Path() + "\n");
  }
  TempDir media;
  TempDir save;
};

// A picture whose neighbouring pixels all differ, so a shift, a stretch or a crop shows.
QImage TestPicture(int width, int height, int seed = 0) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgb((x * 7 + seed) & 0xFF, (y * 5 + seed) & 0xFF, (x + y) & 0xFF));
  }
  return image;
}

bool SaveBmp(const QImage& image, const std::string& path) { return image.save(QString::fromStdString(path), "BMP"); }

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void titlePictureIsShownAtStartUp() {
    PreviewFixture f;
    TMainForm& form = f.Start();
    QVERIFY(form.Preview().TitleShown());
    QImage title(":/title.bmp");
    QCOMPARE(title.size(), QSize(256, 223));
    // Taller than the control: its last rows are clipped, the column to its right stays unpainted.
    QVERIFY_PREVIEW(form, title);
  }

  void screenshotIsShownAtNaturalSizeFromTheTopLeft_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("kind");
    QTest::newRow("smaller than the control, ROM") << 100 << 60 << int(kRomFile);
    QTest::newRow("a console screen, archive") << 256 << 224 << int(kZipArchive);
    QTest::newRow("larger than the control, folder") << 320 << 240 << int(kFolder);
  }
  void screenshotIsShownAtNaturalSizeFromTheTopLeft() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, kind);
    PreviewFixture f;
    if (kind == kFolder) MakeTestDir(f.romDir / "Racer");
    if (kind == kRomFile) WriteTestFile(f.romDir / "Racer.smc", "x");
    if (kind == kZipArchive) WriteTestFile(f.romDir / "Racer.zip", "x");
    QImage picture = TestPicture(width, height);
    QVERIFY(SaveBmp(picture, f.media / "Racer.bmp"));
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Racer", kind));
    QVERIFY(f.dialogs.Errors().empty());
    QVERIFY(!form.Preview().TitleShown());
    QVERIFY_PREVIEW(form, picture);
  }

  void titleIsLoadedOnceForARowOfEntriesWithoutScreenshots() {
    PreviewFixture f;
    for (const char* name : {"Shot.smc", "A.smc", "B.smc", "C.smc"}) WriteTestFile(f.romDir / name, "x");
    QImage shot = TestPicture(120, 90);
    QVERIFY(SaveBmp(shot, f.media / "Shot.bmp"));
    TMainForm& form = f.Start();

    // Right after start-up the title is already there: no entry reloads it.
    QPointer<TGraphic> startTitle = Child<PreviewImage>(form, "imgPreview0")->Graphic();
    QVERIFY(f.Click("A"));
    QVERIFY(f.Click("B"));
    QVERIFY(startTitle);
    QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), startTitle.data());

    QVERIFY(f.Click("Shot"));
    QVERIFY(!form.Preview().TitleShown());
    QVERIFY(!startTitle);  // the screenshot replaced the title
    QVERIFY_PREVIEW(form, shot);

    // Three entries without screenshots: the first loads the title, the others keep that very one.
    QVERIFY(f.Click("A"));
    QVERIFY(form.Preview().TitleShown());
    QPointer<TGraphic> title = Child<PreviewImage>(form, "imgPreview0")->Graphic();
    QVERIFY(title);
    QVERIFY_PREVIEW(form, QImage(":/title.bmp"));
    for (const char* name : {"B", "C"}) {
      QVERIFY(f.Click(name));
      QVERIFY(form.Preview().TitleShown());
      QVERIFY2(title, name);
      QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), title.data());
    }
    QVERIFY(f.dialogs.Errors().empty());
  }

  // A screenshot that cannot be decoded is reported; the selection itself goes through, and the
  // preview keeps what it showed, title or screenshot, and what it counts as shown.
  void damagedBitmapIsReportedAndLeavesThePreviewAsItWas() {
    PreviewFixture f;
    for (const char* name : {"Good.smc", "Bad.smc", "None.smc"}) WriteTestFile(f.romDir / name, "x");
    QImage good = TestPicture(80, 50);
    QVERIFY(SaveBmp(good, f.media / "Good.bmp"));
    QVERIFY(SaveBmp(TestPicture(64, 32, 99), f.media / "Bad.bmp"));
    std::string whole = ReadTestFile(f.media / "Bad.bmp");
    WriteTestFile(f.media / "Bad.bmp", whole.substr(0, whole.size() - 1));
    TMainForm& form = f.Start();

    // After a screenshot: that screenshot stays, and the title is not counted as shown.
    QVERIFY(f.Click("Good"));
    TGraphic* shown = Child<PreviewImage>(form, "imgPreview0")->Graphic();
    QVERIFY(f.Click("Bad"));
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{"Bitmap image is not valid."});
    QCOMPARE(f.context.selectedRomFile, std::string("Bad.smc"));  // the selection itself went through
    QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), shown);
    QVERIFY(!form.Preview().TitleShown());
    QVERIFY_PREVIEW(form, good);

    // After the title: the title stays and still counts as shown, so the next miss keeps it too.
    QVERIFY(f.Click("None"));
    TGraphic* title = Child<PreviewImage>(form, "imgPreview0")->Graphic();
    QVERIFY(f.Click("Bad"));
    QCOMPARE(f.dialogs.Errors().size(), size_t(2));
    QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), title);
    QVERIFY(form.Preview().TitleShown());
    QVERIFY(f.Click("None"));
    QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), title);
  }

  // The emulator's screenshot is filed under the selected entry's name and shown at its next
  // selection, in preference to a GIF of the same name; with nothing left to file, nothing happens.
  void archiveScreenshotFilesItUnderTheSelectedEntry() {
    PreviewFixture f;
    WriteTestFile(f.romDir / "Racer.zip", "x");
    QImage first = TestPicture(256, 224, 1);
    QVERIFY(SaveBmp(first, f.save / "image.bmp"));
    const std::string firstBytes = ReadTestFile(f.save / "image.bmp");
    // An undecodable GIF of the same name: the filed BMP must win over it.
    WriteTestFile(f.media / "Racer.gif", "not a picture");
    TMainForm& form = f.Start();
    auto archive = [&] { Child<QAction>(form, "Archivescreenshot1")->trigger(); };
    QVERIFY(f.Click("Racer", kZipArchive));
    const size_t errors = f.dialogs.Errors().size();
    QCOMPARE(errors, size_t(1));  // the GIF could not be shown
    TGraphic* shown = Child<PreviewImage>(form, "imgPreview0")->Graphic();

    archive();
    QVERIFY(!kivo::platform::FileExists(f.save / "image.bmp"));
    QCOMPARE(ReadTestFile(f.media / "Racer.bmp"), firstBytes);
    QCOMPARE(Child<PreviewImage>(form, "imgPreview0")->Graphic(), shown);  // the menu item does not refresh

    // Nothing left to file: a second press changes nothing and says nothing.
    size_t boxes = f.dialogs.messages.size();
    archive();
    QCOMPARE(ReadTestFile(f.media / "Racer.bmp"), firstBytes);
    QVERIFY(!kivo::platform::FileExists(f.save / "image.bmp"));

    // The next selection shows the filed screenshot, in preference to the GIF.
    QVERIFY(f.Click("Racer", kZipArchive));
    QVERIFY(!form.Preview().TitleShown());
    QVERIFY_PREVIEW(form, first);

    QCOMPARE(f.dialogs.messages.size(), boxes);
  }

  void archiveScreenshotWithoutSelectionFilesNothing() {
    PreviewFixture f;
    QVERIFY(SaveBmp(TestPicture(8, 8), f.save / "image.bmp"));
    TMainForm& form = f.Start();
    QVERIFY(!form.SelectedEntry());
    Child<QAction>(form, "Archivescreenshot1")->trigger();
    QVERIFY(kivo::platform::FileExists(f.save / "image.bmp"));
    QVERIFY(!kivo::platform::FileExists(f.media / ".bmp"));
    QVERIFY(f.dialogs.messages.empty());
  }

  void clickOnThePreviewOpensTheSelectedEntry() {
    PreviewFixture f;
    MakeTestDir(f.romDir / "inner");
    WriteTestFile(f.romDir / "inner/Deep.smc", "x");
    TMainForm& form = f.Start();
    QVERIFY(f.Click("inner", kFolder));

    // A press that is released outside the picture is no click.
    QTest::mousePress(Child<PreviewImage>(form, "imgPreview0"), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(Child<PreviewImage>(form, "imgPreview0"), Qt::LeftButton, {}, QPoint(kPreviewWidth + 5, 10));
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir.Path());

    QTest::mouseClick(Child<PreviewImage>(form, "imgPreview0"), Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir / "inner");
    QVERIFY(f.Row("Deep") >= 0);
  }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
