// The option tabs on the real window: what loading writes back, what each change stores, and the
// per-game configuration switch.
#include <QTest>

#include "browser/list_entry.h"
#include "gui/support/form_fixture.h"
#include "platform/files.h"

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
    QCOMPARE(form.chkFrameSkip->text(), QString("Frameskip: 9"));
    QCOMPARE(form.lblCPU->text(), QString("100% CPU cycles"));
    QCOMPARE(form.lblGamma->text(), QString("Gamma correct: 0"));
    QCOMPARE(form.cmbSampleRate->currentText(), QString("22050Hz"));
    QCOMPARE(form.optVideoMode->ItemIndex(), 3);
    QVERIFY(form.chkStereo->isEnabled());
    QVERIFY(!form.imgVolume->isHidden());
  }

  void soundOffStoredLeavesTheSoundControlsEnabledUntilToggled() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\nSound=0\n");
    TMainForm& form = f.Start();
    QVERIFY(!form.chkSound->isChecked());
    QVERIFY(form.chkStereo->isEnabled());
    form.PageControl1->setCurrentIndex(1);
    QTest::mouseClick(form.chkSound, Qt::LeftButton);
    QTest::mouseClick(form.chkSound, Qt::LeftButton);
    QVERIFY(!form.chkSound->isChecked());
    for (QWidget* control : {static_cast<QWidget*>(form.chkStereo), static_cast<QWidget*>(form.chkBuffer),
                             static_cast<QWidget*>(form.cmbSampleRate), static_cast<QWidget*>(form.chkBlaster),
                             static_cast<QWidget*>(form.sldVolume), static_cast<QWidget*>(form.chkDisableSPCHack),
                             static_cast<QWidget*>(form.chkDisableDSP)}) {
      QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    }
    QVERIFY(form.Label1->isEnabled());
    QVERIFY(form.imgVolume->isHidden());
    QCOMPARE(f.IniValue("General", "Sound"), std::string("0"));
  }

  void selectingAGameWithItsOwnConfigurationLoadsIt() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\nROMDirectory=" + f.romDir.Path() + "\n[Default]\nNTSC=1\n[Configs]\nZelda=1\n");
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    WriteTestFile(f.romDir / "Mario.smc", "x");
    WriteTestFile(f.romDir / "Kirby.smc", "x");
    TMainForm& form = f.Start();
    QVERIFY(form.chkNTSC->isChecked());
    QVERIFY(f.Click("Zelda", kRomFileWithConfig));
    QCOMPARE(f.context.currentSection, std::string("Zelda"));
    QVERIFY(!form.chkNTSC->isChecked());
    QCOMPARE(f.IniValue("Zelda", "NTSC"), std::string("0"));
    QVERIFY(!Has(f, "Zelda", "Scanlines"));
    QCOMPARE(f.IniValue("Default", "NTSC"), std::string("1"));

    // A change now goes to the game's section.
    form.chkScanlines->setChecked(true);
    QCOMPARE(f.IniValue("Zelda", "Scanlines"), std::string("1"));
    QVERIFY(!Has(f, "Default", "Scanlines"));

    // Two games without their own configuration in turn: the second reloads nothing.
    QVERIFY(f.Click("Mario"));
    QCOMPARE(f.context.currentSection, std::string("Default"));
    SettingsFile(f.IniPath()).WriteBool("Default", "NTSC", false);
    QVERIFY(f.Click("Kirby"));
    QVERIFY(form.chkNTSC->isChecked());
  }

  void selectingAFolderUsesTheEmptyConfigurationAndSparesGeneral() {
    FormFixture f;
    TMainForm& form = f.Start();
    std::string before = f.IniValue("General", "Sound");
    QVERIFY(f.Click(".."));
    QCOMPARE(f.context.currentSection, std::string(""));
    form.chkVSync->setChecked(true);
    QCOMPARE(f.IniValue("", "VSync"), std::string("1"));
    QCOMPARE(f.IniValue("General", "Sound"), before);
    QVERIFY(!Has(f, "Default", "VSync"));
  }

  void typingASampleRateStoresNoSelection() {
    FormFixture f;
    TMainForm& form = f.Start();
    form.PageControl1->setCurrentIndex(1);
    form.cmbSampleRate->setFocus();
    form.cmbSampleRate->lineEdit()->selectAll();
    QTest::keyClicks(form.cmbSampleRate->lineEdit(), "48000Hz");
    QCOMPARE(f.IniValue("General", "SampleRate"), std::string("-1"));
    f.Close();

    FormFixture g;
    WriteTestFile(g.IniPath(), f.Ini());
    TMainForm& second = g.Start();
    QCOMPARE(second.cmbSampleRate->currentIndex(), -1);
    // A programmatic index stores nothing; the user's choice does.
    second.cmbSampleRate->setCurrentIndex(3);
    QCOMPARE(g.IniValue("General", "SampleRate"), std::string("-1"));
    emit second.cmbSampleRate->activated(3);
    QCOMPARE(g.IniValue("General", "SampleRate"), std::string("3"));
  }

  void outOfRangeValuesAreClampedAndStoredOnlyWhenTheControlMoved() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\n[Default]\nVideomode=12\nCPUCycles=10\n");
    TMainForm& form = f.Start();
    QCOMPARE(form.optVideoMode->ItemIndex(), 7);
    QCOMPARE(f.IniValue("Default", "Videomode"), std::string("7"));
    QCOMPARE(form.sldCPU->value(), 50);
    QCOMPARE(f.IniValue("Default", "CPUCycles"), std::string("50"));

    FormFixture g;
    g.SetIni("[General]\nRun first=0\n[Default]\nVideomode=-5\n");
    TMainForm& second = g.Start();
    QCOMPARE(second.optVideoMode->ItemIndex(), -1);
    QCOMPARE(g.IniValue("Default", "Videomode"), std::string("-5"));
  }

  void toggleConfigFlipsTheFlagAndKeepsTheSection() {
    FormFixture f;
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    TMainForm& form = f.Start();
    form.mnuToggleConfig->trigger();  // nothing selected: nothing happens
    QVERIFY(!Has(f, "Configs", "Zelda"));

    QVERIFY(f.Click("Zelda", kRomFile));
    form.mnuToggleConfig->trigger();
    QCOMPARE(f.IniValue("Configs", "Zelda"), std::string("1"));
    QVERIFY(form.SelectedEntry() == nullptr);
    QVERIFY(f.Row("Zelda", kRomFileWithConfig) >= 0);
    QCOMPARE(f.context.currentSection, std::string("Default"));

    QVERIFY(f.Click("Zelda", kRomFileWithConfig));
    QCOMPARE(f.context.currentSection, std::string("Zelda"));
    form.chkScanlines->setChecked(true);
    form.mnuToggleConfig->trigger();
    QCOMPARE(f.IniValue("Configs", "Zelda"), std::string("0"));
    QCOMPARE(f.IniValue("Zelda", "Scanlines"), std::string("1"));
    QVERIFY(f.Row("Zelda", kRomFile) >= 0);
  }

  void aRefusedWriteDuringCreationIsReportedAndTheWindowOpens() {
    FormFixture f;
    std::string ini = f.IniPath();
    platform::SetWriteFaultForTesting([ini](const std::string& path) { return path == ini; });
    TMainForm& form = f.Start();
    platform::SetWriteFaultForTesting({});
    auto errors = f.dialogs.Errors();
    QCOMPARE(errors.size(), size_t(1));
    QCOMPARE(errors.front(), QString::fromStdString("Unable to write to " + ini + "."));
    QVERIFY(form.isVisible());
    QVERIFY(!form.Preview.TitleShown());  // the steps after the failed write were skipped
    QCOMPARE(form.ListModel->Count(), 0);
  }
};

QTEST_MAIN(OptionPanelTest)
#include "option_panel_test.moc"
