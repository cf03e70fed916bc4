// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The option tabs on the real window: what loading writes back, what each change stores, and the
// per-game configuration switch.
#include <QTest>

#include "browser/list_entry.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "platform/files.h"

using namespace kivo::app;
using namespace kivo::browser;

namespace {

// True when the settings file holds the key in the section at all.
bool Has(const FormFixture& f, const std::string& section, const std::string& key) {
  return f.IniValue(section, key) != "<missing>";
}

}  // namespace

class OptionPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void firstLoadWritesBackWhatChanged() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\n");
    TMainForm& form = f.Start();
    QCOMPARE(f.IniValue("General", "Sound"), std::string("1"));
    QCOMPARE(f.IniValue("General", "MemCopy"), std::string("0"));
    QCOMPARE(f.IniValue("Default", "Videomode"), std::string("3"));
    QCOMPARE(f.IniValue("Default", "FrameSkip Value"), std::string("9"));
    QCOMPARE(f.IniValue("General", "ExtraCommand"), std::string(""));
    QCOMPARE(f.IniValue("General", "DisableGUI"), std::string("1"));
    QCOMPARE(f.IniValue("Default", "CPUCycles"), std::string("100"));
    QCOMPARE(f.IniValue("Default", "Gamma"), std::string("0"));
    QCOMPARE(f.IniValue("General", "Volume"), std::string("25"));
    QVERIFY(!Has(f, "General", "Enter"));
    QVERIFY(!Has(f, "General", "SampleRate"));
    QVERIFY(!Has(f, "Default", "Scanlines"));
    QCOMPARE(Child<QCheckBox>(form, "chkFrameSkip")->text(), QString("Frameskip: 9"));
    QCOMPARE(Child<QLabel>(form, "lblCPU")->text(), QString("100% CPU cycles"));
    QCOMPARE(Child<QLabel>(form, "lblGamma")->text(), QString("Gamma correct: 0"));
    QCOMPARE(Child<QComboBox>(form, "cmbSampleRate")->currentText(), QString("22050Hz"));
    QCOMPARE(Child<RadioGroup>(form, "optVideoMode")->ItemIndex(), 3);
    QVERIFY(Child<QCheckBox>(form, "chkStereo")->isEnabled());
    QVERIFY(!Child<QLabel>(form, "imgVolume")->isHidden());
  }

  void soundOffStoredLeavesTheSoundControlsEnabledUntilToggled() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\nSound=0\n");
    TMainForm& form = f.Start();
    QVERIFY(!Child<QCheckBox>(form, "chkSound")->isChecked());
    QVERIFY(Child<QCheckBox>(form, "chkStereo")->isEnabled());
    Child<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
    QTest::mouseClick(Child<QCheckBox>(form, "chkSound"), Qt::LeftButton);
    QTest::mouseClick(Child<QCheckBox>(form, "chkSound"), Qt::LeftButton);
    QVERIFY(!Child<QCheckBox>(form, "chkSound")->isChecked());
    for (QWidget* control : {static_cast<QWidget*>(Child<QCheckBox>(form, "chkStereo")),
                             static_cast<QWidget*>(Child<QCheckBox>(form, "chkBuffer")),
                             static_cast<QWidget*>(Child<QComboBox>(form, "cmbSampleRate")),
                             static_cast<QWidget*>(Child<QCheckBox>(form, "chkBlaster")),
                             static_cast<QWidget*>(Child<QSlider>(form, "sldVolume")),
                             static_cast<QWidget*>(Child<QCheckBox>(form, "chkDisableSPCHack")),
                             static_cast<QWidget*>(Child<QCheckBox>(form, "chkDisableDSP"))}) {
      QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    }
    QVERIFY(Child<QLabel>(form, "Label1")->isEnabled());
    QVERIFY(Child<QLabel>(form, "imgVolume")->isHidden());
    QCOMPARE(f.IniValue("General", "Sound"), std::string("0"));
  }

  void selectingAGameWithItsOwnConfigurationLoadsIt() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\nROMDirectory=" + f.romDir.Path() + "\n[Default]\nNTSC=1\n[Configs]\nZelda=1\n");
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    WriteTestFile(f.romDir / "Mario.smc", "x");
    WriteTestFile(f.romDir / "Kirby.smc", "x");
    TMainForm& form = f.Start();
    QVERIFY(Child<QCheckBox>(form, "chkNTSC")->isChecked());
    QVERIFY(f.Click("Zelda", kRomFileWithConfig));
    QCOMPARE(f.context.currentSection, std::string("Zelda"));
    QVERIFY(!Child<QCheckBox>(form, "chkNTSC")->isChecked());
    QCOMPARE(f.IniValue("Zelda", "NTSC"), std::string("0"));
    QVERIFY(!Has(f, "Zelda", "Scanlines"));
    QCOMPARE(f.IniValue("Default", "NTSC"), std::string("1"));

    // A change now goes to the game's section.
    Child<QCheckBox>(form, "chkScanlines")->setChecked(true);
    QCOMPARE(f.IniValue("Zelda", "Scanlines"), std::string("1"));
    QVERIFY(!Has(f, "Default", "Scanlines"));

    // Two games without their own configuration in turn: the second reloads nothing.
    QVERIFY(f.Click("Mario"));
    QCOMPARE(f.context.currentSection, std::string("Default"));
    SettingsFile(f.IniPath()).WriteBool("Default", "NTSC", false);
    QVERIFY(f.Click("Kirby"));
    QVERIFY(Child<QCheckBox>(form, "chkNTSC")->isChecked());
  }

  // With a folder or drive selected the panel goes on showing and editing "Default", and the status
  // bar names the configuration an edit goes to.
  void selectingAFolderKeepsDefaultAndTheStatusBarNamesTheConfiguration() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\nROMDirectory=" + f.romDir.Path() + "\n[Configs]\nZelda=1\n");
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    TMainForm& form = f.Start();
    QCOMPARE(Child<QLabel>(form, "StatusPanels0")->text(), QString("Default"));
    QVERIFY(f.Click("Zelda"));
    QCOMPARE(Child<QLabel>(form, "StatusPanels0")->text(), QString("Zelda"));
    QVERIFY(f.Click(".."));
    QCOMPARE(f.context.currentSection, std::string("Default"));
    QCOMPARE(Child<QLabel>(form, "StatusPanels0")->text(), QString("Default"));
    Child<QCheckBox>(form, "chkVSync")->setChecked(true);
    QCOMPARE(f.IniValue("Default", "VSync"), std::string("1"));
    QVERIFY(!Has(f, "", "VSync"));
  }

  void typingASampleRateStoresNoSelection() {
    FormFixture f;
    TMainForm& form = f.Start();
    Child<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
    Child<QComboBox>(form, "cmbSampleRate")->setFocus();
    Child<QComboBox>(form, "cmbSampleRate")->lineEdit()->selectAll();
    // Typed text that names an item stays typed, also after Enter.
    QTest::keyClicks(Child<QComboBox>(form, "cmbSampleRate")->lineEdit(), "4");
    QTest::keyClick(Child<QComboBox>(form, "cmbSampleRate")->lineEdit(), Qt::Key_Return);
    QCOMPARE(f.IniValue("General", "SampleRate"), std::string("-1"));
    QTest::keyClicks(Child<QComboBox>(form, "cmbSampleRate")->lineEdit(), "4100Hz");
    QTest::keyClick(Child<QComboBox>(form, "cmbSampleRate")->lineEdit(), Qt::Key_Return);
    QCOMPARE(f.IniValue("General", "SampleRate"), std::string("-1"));
    Child<QComboBox>(form, "cmbSampleRate")->lineEdit()->selectAll();
    QTest::keyClicks(Child<QComboBox>(form, "cmbSampleRate")->lineEdit(), "48000Hz");
    QCOMPARE(f.IniValue("General", "SampleRate"), std::string("-1"));
    f.Close();

    FormFixture g;
    WriteTestFile(g.IniPath(), f.Ini());
    TMainForm& second = g.Start();
    QCOMPARE(Child<QComboBox>(second, "cmbSampleRate")->currentIndex(), -1);
    // A programmatic index stores nothing; the user's choice does.
    Child<QComboBox>(second, "cmbSampleRate")->setCurrentIndex(3);
    QCOMPARE(g.IniValue("General", "SampleRate"), std::string("-1"));
    emit Child<QComboBox>(second, "cmbSampleRate")->activated(3);
    QCOMPARE(g.IniValue("General", "SampleRate"), std::string("3"));
  }

  void outOfRangeValuesAreClampedAndStoredOnlyWhenTheControlMoved() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\n[Default]\nVideomode=12\nCPUCycles=10\n");
    TMainForm& form = f.Start();
    QCOMPARE(Child<RadioGroup>(form, "optVideoMode")->ItemIndex(), 7);
    QCOMPARE(f.IniValue("Default", "Videomode"), std::string("7"));
    QCOMPARE(Child<QSlider>(form, "sldCPU")->value(), 50);
    QCOMPARE(f.IniValue("Default", "CPUCycles"), std::string("50"));

    FormFixture g;
    g.SetIni("[General]\nRun first=0\n[Default]\nVideomode=-5\n");
    TMainForm& second = g.Start();
    QCOMPARE(Child<RadioGroup>(second, "optVideoMode")->ItemIndex(), -1);
    QCOMPARE(g.IniValue("Default", "Videomode"), std::string("-5"));
  }

  // The volume's minimum is at the top: Up and the wheel turned up move the handle up, to quieter.
  void volumeKeysMoveTheHandleTheWayTheyPoint() {
    FormFixture f;
    TMainForm& form = f.Start();
    Child<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
    Child<QSlider>(form, "sldVolume")->setFocus();
    QTest::keyClick(Child<QSlider>(form, "sldVolume"), Qt::Key_Up);
    QCOMPARE(Child<QSlider>(form, "sldVolume")->value(), 24);
    QTest::keyClick(Child<QSlider>(form, "sldVolume"), Qt::Key_Down);
    QTest::keyClick(Child<QSlider>(form, "sldVolume"), Qt::Key_Down);
    QCOMPARE(Child<QSlider>(form, "sldVolume")->value(), 26);
    QWheelEvent up(QPointF(5, 5), Child<QSlider>(form, "sldVolume")->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Child<QSlider>(form, "sldVolume"), &up);
    QVERIFY(Child<QSlider>(form, "sldVolume")->value() < 26);
    QCOMPARE(f.IniValue("General", "Volume"), std::to_string(Child<QSlider>(form, "sldVolume")->value()));
  }

  // Settings that are not UTF-8 (a folder name, a shell command) are shown as well as they can be
  // and stored back as they were: not at every start, not on a cancelled browse.
  void bytesThatAreNotUtf8SurviveTheWindow() {
    FormFixture f;
    const std::string command = "echo caf\xE9";
    const std::string folder = "/media/caf\xE9 \xFF";
    f.SetIni("[General]\nRun first=0\nROMDirectory=" + f.romDir.Path() + "\nShellBat=1\nExtraCommand=" + command +
             "\nMediaPath=" + folder + "\n");
    TMainForm& form = f.Start();
    f.Close();
    QCOMPARE(f.IniValue("General", "ExtraCommand"), command);

    FormFixture g;
    WriteTestFile(g.IniPath(), f.Ini());
    TMainForm& second = g.Start();
    Child<QPushButton>(second, "cmdBrowseMedia")->click();  // cancelled
    QCOMPARE(g.IniValue("General", "MediaPath"), folder);
    // A change by the user is stored as typed.
    Child<QLineEdit>(second, "txtExtraCmd")->setText("echo plain");
    QCOMPARE(g.IniValue("General", "ExtraCommand"), std::string("echo plain"));
    (void)form;
  }

  void toggleConfigFlipsTheFlagAndKeepsTheSection() {
    FormFixture f;
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    TMainForm& form = f.Start();
    Child<QAction>(form, "mnuToggleConfig")->trigger();  // nothing selected: nothing happens
    QVERIFY(!Has(f, "Configs", "Zelda"));
    QVERIFY(f.Click(".."));  // a folder has no configuration of its own
    Child<QAction>(form, "mnuToggleConfig")->trigger();
    QVERIFY(!Has(f, "Configs", ".."));

    QVERIFY(f.Click("Zelda", kRomFile));
    Child<QAction>(form, "mnuToggleConfig")->trigger();
    QCOMPARE(f.IniValue("Configs", "Zelda"), std::string("1"));
    QVERIFY(!form.SelectedEntry());
    QVERIFY(f.Row("Zelda", kRomFileWithConfig) >= 0);
    QCOMPARE(f.context.currentSection, std::string("Default"));

    QVERIFY(f.Click("Zelda", kRomFileWithConfig));
    QCOMPARE(f.context.currentSection, std::string("Zelda"));
    Child<QCheckBox>(form, "chkScanlines")->setChecked(true);
    Child<QAction>(form, "mnuToggleConfig")->trigger();
    QCOMPARE(f.IniValue("Configs", "Zelda"), std::string("0"));
    QCOMPARE(f.IniValue("Zelda", "Scanlines"), std::string("1"));
    QVERIFY(f.Row("Zelda", kRomFile) >= 0);
  }

  void aRefusedWriteDuringCreationIsReportedAndTheWindowOpens() {
    FormFixture f;
    std::string ini = f.IniPath();
    kivo::platform::SetWriteFaultForTesting([ini](const std::string& path) { return path == ini; });
    TMainForm& form = f.Start();
    kivo::platform::SetWriteFaultForTesting({});
    auto errors = f.dialogs.Errors();
    QCOMPARE(errors.size(), size_t(1));
    QCOMPARE(errors.front(), QString::fromStdString("Unable to write to " + ini + "."));
    QVERIFY(form.isVisible());
    QVERIFY(!form.Preview().TitleShown());  // the steps after the failed write were skipped
    QCOMPARE(ListModelOf(form)->Count(), 0);
  }
};

QTEST_MAIN(OptionPanelTest)
#include "option_panel_test.moc"
