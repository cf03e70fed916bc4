// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The window with the native Linux build in the ZSNES folder: the panel shows what that build offers,
// and its snapshots are filed and shown.
#include <QImage>
#include <QTest>

#include "gui/support/emulator_fixture.h"
#include "gui/support/find_child.h"
#include "support/scoped_env.h"

using namespace kivo::app;
using namespace kivo::screenshots;

namespace {

// The fake emulator as "zsnes", and HOME in a folder of the test's, where zsnesl.cfg is found.
struct NativeFixture : EmulatorFixture {
  explicit NativeFixture(const std::string& moreIni = "") : EmulatorFixture(moreIni, false) {
    InstallEmulator("zsnes");
  }
  std::string ZsneslCfg() const { return ReadTestFile(home / ".config/zsnes/zsnesl.cfg"); }

  TempDir home;
  ScopedEnv setHome{"HOME", home.Path()};
  ScopedEnv noXdg{"XDG_CONFIG_HOME", std::nullopt};
};

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

}  // namespace

class NativeBuildTest : public QObject {
  Q_OBJECT

 private slots:
  // Options the build lacks are disabled with a tooltip and keep their stored values; the video
  // modes, sample rates and gamma range are the build's own. Pointing the folder at the DOS build
  // brings the DOS panel back.
  void panelShowsWhatTheBuildOffers() {
    NativeFixture f("Enter=0\nMemCopy=2\nSound=0\n[Default]\nColor0=1\nGamma=12\nVideomode=6\n");
    TMainForm& form = f.Start();
    for (QWidget* missing : std::initializer_list<QWidget*>{
             Child<QCheckBox>(form, "chkColor0"), Child<QCheckBox>(form, "chkEnter"),
             Child<RadioGroup>(form, "optMemCopy"), Child<QCheckBox>(form, "chkBuffer"),
             Child<QCheckBox>(form, "chkBlaster"), Child<QCheckBox>(form, "chkOffBy1LineFix")}) {
      QVERIFY2(!missing->isEnabled(), qPrintable(missing->objectName()));
      QCOMPARE(missing->toolTip(), QString("Not available in this build of ZSNES"));
    }
    QVERIFY(Child<QCheckBox>(form, "chkColor0")->isChecked());
    QVERIFY(Child<QCheckBox>(form, "chkScanlines")->isEnabled());
    QCOMPARE(Child<RadioGroup>(form, "optVideoMode")->Items(),
             QStringList({"256x224 window", "256x224 full screen", "512x448 window", "512x448 full screen",
                          "640x480 full screen"}));
    QCOMPARE(Child<RadioGroup>(form, "optVideoMode")->ItemIndex(), 2);
    QCOMPARE(Items(Child<QComboBox>(form, "cmbSampleRate")).back(), QString("48000Hz"));
    QCOMPARE(Child<QSlider>(form, "sldGamma")->maximum(), 15);
    QCOMPARE(Child<QSlider>(form, "sldGamma")->value(), 12);

    // The sound box enables only what the build has.
    Child<QCheckBox>(form, "chkSound")->click();
    Child<QCheckBox>(form, "chkSound")->click();
    Child<QCheckBox>(form, "chkSound")->click();
    QVERIFY(Child<QCheckBox>(form, "chkStereo")->isEnabled());
    QVERIFY(!Child<QCheckBox>(form, "chkBuffer")->isEnabled());

    // Choosing a mode stores it under the native key; the DOS build's choice stays.
    Child<RadioGroup>(form, "optVideoMode")->Button(0)->click();
    QCOMPARE(f.IniValue("Default", "NativeVideomode"), std::string("0"));
    QCOMPARE(f.IniValue("Default", "Videomode"), std::string("6"));
    QCOMPARE(f.IniValue("General", "Enter"), std::string("0"));
    QCOMPARE(f.IniValue("General", "MemCopy"), std::string("2"));
    QCOMPARE(f.IniValue("Default", "Color0"), std::string("1"));

    TempDir dos;
    WriteTestFile(dos / "ZSNES.EXE", "");
    f.dialogs.pickerAnswers.push_back(dos.Path());
    Child<QPushButton>(form, "cmdBrowseZSNES")->click();
    QVERIFY(Child<QCheckBox>(form, "chkColor0")->isEnabled());
    QVERIFY(Child<QCheckBox>(form, "chkColor0")->toolTip().isEmpty());
    QVERIFY(Child<RadioGroup>(form, "optMemCopy")->isEnabled());
    QCOMPARE(Child<RadioGroup>(form, "optMemCopy")->ItemIndex(), 2);
    QCOMPARE(Child<RadioGroup>(form, "optVideoMode")->Count(), 8);
    QCOMPARE(Child<RadioGroup>(form, "optVideoMode")->ItemIndex(), 6);
    QCOMPARE(Child<QComboBox>(form, "cmbSampleRate")->count(), 6);
    QCOMPARE(Child<QSlider>(form, "sldGamma")->maximum(), 5);
    QVERIFY(f.dialogs.Errors().empty());
  }

  // The emulator names a snapshot after the ROM file; Archive screenshot files the newest under the
  // entry's name, and the preview shows the PNG.
  void archiveScreenshotFilesTheNewestSnapshot() {
    TempDir save;
    TempDir media;
    NativeFixture f("SavegamePath=" + save.Path() + "\nMediaPath=" + media.Path() + "\n");
    WriteTestFile(f.Rom("Star Fox.smc"), "rom");
    QImage shot(256, 224, QImage::Format_RGB32);
    shot.fill(QColor(10, 200, 30));
    QVERIFY(shot.save(QString::fromStdString(save / "Star Fox_00000.png")));
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Star Fox"));
    Child<QAction>(form, "Archivescreenshot1")->trigger();
    QVERIFY(kivo::platform::FileExists(media / "Star Fox.png"));
    QVERIFY(!kivo::platform::FileExists(save / "Star Fox_00000.png"));

    QVERIFY(f.Click("Star Fox"));
    auto* graphic = dynamic_cast<TBitmapGraphic*>(Child<PreviewImage>(form, "imgPreview0")->Graphic());
    QVERIFY(graphic != nullptr);
    QCOMPARE(graphic->Image().size(), QSize(256, 224));
    QCOMPARE(graphic->Image().pixelColor(100, 100), QColor(10, 200, 30));
    QVERIFY(f.dialogs.Errors().empty());
  }
};

QTEST_MAIN(NativeBuildTest)
#include "native_build_test.moc"
