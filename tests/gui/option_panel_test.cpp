// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The option tabs on the real window: every control bound to its option both ways, the per-game
// configurations, the controls with rules of their own, and what the native build changes.
#include <QTest>
#include <algorithm>

#include "browser/list_entry.h"
#include "gui/support/emulator_fixture.h"
#include "gui/support/find_child.h"
#include "platform/files.h"

using namespace kivo::app;
using namespace kivo::browser;
using namespace kivo::screenshots;

namespace {

// The key of the video mode of the system's own build.
#ifdef _WIN32
const std::string kOwnVideomode = "WindowsVideomode";
#else
const std::string kOwnVideomode = "NativeVideomode";
#endif

// What the control shows.
QString Shown(const QObject* control) {
  if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (auto* box = qobject_cast<const QCheckBox*>(control)) return box->isChecked() ? "1" : "0";
  if (auto* mark = qobject_cast<const QAction*>(control)) return mark->isChecked() ? "1" : "0";
  if (auto* slider = qobject_cast<const QSlider*>(control)) return QString::number(slider->value());
  if (auto* group = qobject_cast<const RadioGroup*>(control)) return QString::number(group->ItemIndex());
  return QString::number(qobject_cast<const QComboBox*>(control)->currentIndex());
}

// A value the control can show other than the one it shows.
std::string Other(const QObject* control) {
  if (qobject_cast<const QLineEdit*>(control)) return "/games/" + control->objectName().toStdString();
  if (auto* slider = qobject_cast<const QSlider*>(control))
    return std::to_string(slider->value() == slider->minimum() ? slider->maximum() : slider->minimum());
  return Shown(control) == "1" ? "0" : "1";
}

// Sets the control to the value as the user would; a folder is chosen with its browse button.
void Enter(FormFixture& f, QObject* control, const std::string& value) {
  if (auto* edit = qobject_cast<QLineEdit*>(control); edit && edit->objectName().startsWith("txtDir")) {
    f.dialogs.pickerAnswers.push_back(value);
    Child<QAbstractButton>(*f.form, qPrintable(edit->objectName().replace("txtDir", "cmdBrowse")))->click();
  } else if (edit) {
    edit->setText(QString::fromStdString(value));
  } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
    box->setChecked(value == "1");
  } else if (auto* mark = qobject_cast<QAction*>(control)) {
    mark->trigger();
  } else if (auto* slider = qobject_cast<QSlider*>(control)) {
    slider->setValue(std::stoi(value));
  } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
    group->Button(std::stoi(value))->click();
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    combo->setCurrentIndex(std::stoi(value));
    emit combo->activated(std::stoi(value));
  }
}

}  // namespace

class OptionPanelTest : public QObject {
  Q_OBJECT

 private slots:
  // In a game's configuration every control shows what is stored for its option, writing nothing
  // back (bytes that are not UTF-8 stay), and stores the user's change in the option's section.
  void everyControlShowsAndStoresItsOption() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\nROMDirectory=" + f.romDir.Path() + "\n[Configs]\nZelda=1\n");
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    TMainForm& form = f.Start();
    QCOMPARE(form.Bindings().size(), LoadOrder().size() - 2);  // all but the other builds' video modes
    SettingsFile settings(f.IniPath());
    std::vector<std::string> stored;
    for (const OptionBindings::Control* bound : form.Bindings()) {
      const OptionDecl* option = &bound->Option();
      QObject* control = bound->Object();
      stored.push_back(option->form == OptionForm::String ? "/caf\xE9 \xFF/" + std::string(option->key)
                                                          : Other(control));
      settings.WriteString(option->Section("Zelda"), option->key, stored.back());
    }

    QVERIFY(f.Click("Zelda"));
    QCOMPARE(Child<QLabel>(form, "StatusPanels0")->text(), QString("Zelda"));
    for (const char* browse : {"cmdBrowseZSNES", "cmdBrowseMedia", "cmdBrowseSavegame"})
      Child<QAbstractButton>(form, browse)->click();  // cancelled
    QCOMPARE(Child<QLabel>(form, "lblCPU")->text(), QString("50% CPU cycles"));
    QCOMPARE(Child<QLabel>(form, "lblGamma")->text(), QString("Gamma correct: 5"));
    QCOMPARE(Child<QCheckBox>(form, "chkFrameSkip")->text(), QString("Frameskip: 0"));
    // The sound box, now off, disables the sound controls; "Shell through .bat" enables the DOS command.
    for (const char* name :
         {"chkStereo", "chkBuffer", "cmbSampleRate", "chkBlaster", "sldVolume", "chkDisableSPCHack", "chkDisableDSP"})
      QVERIFY2(!Child<QWidget>(form, name)->isEnabled(), name);
    QVERIFY(Child<QLabel>(form, "imgVolume")->isHidden());
    QVERIFY(Child<QLineEdit>(form, "txtExtraCmd")->isEnabled());

    for (size_t i = 0; i < stored.size(); ++i) {
      const OptionDecl* option = &form.Bindings()[i]->Option();
      QObject* control = form.Bindings()[i]->Object();
      const std::string section(option->Section("Zelda"));
      const QString name = control->objectName();
      QVERIFY2(Shown(control) == QFile::decodeName(stored[i].c_str()), qPrintable(name));
      QVERIFY2(f.IniValue(section, std::string(option->key)) == stored[i], qPrintable(name));
      const std::string value = Other(control);
      Enter(f, control, value);
      QVERIFY2(f.IniValue(section, std::string(option->key)) == value, qPrintable(name));
    }
    QVERIFY(Child<QCheckBox>(form, "chkStereo")->isEnabled());
    Child<QAction>(form, "mnuBat")->trigger();
    QVERIFY(Child<QLineEdit>(form, "txtExtraCmd")->isEnabled());

    // Toggle Config takes the flag away and keeps the game's section; the game then shows "Default".
    auto* toggle = Child<QAction>(form, "mnuToggleConfig");
    toggle->trigger();
    QCOMPARE(f.IniValue("Configs", "Zelda"), std::string("0"));
    QCOMPARE(f.IniValue("Zelda", "CPUCycles"), std::string("150"));
    QCOMPARE(Child<QLabel>(form, "StatusPanels0")->text(), QString("Default"));  // still selected, shown as in force
    QVERIFY(f.Click(".."));
    toggle->trigger();  // ".." is no game's name
    QCOMPARE(f.IniValue("Configs", ".."), std::string("<missing>"));
    settings.WriteBool("Default", "NTSC", true);  // not shown: "Default" is in force, not loaded again
    QVERIFY(f.Click("Zelda", kRomFile));
    QCOMPARE(Child<QLabel>(form, "StatusPanels0")->text(), QString("Default"));
    QVERIFY(!Child<QCheckBox>(form, "chkNTSC")->isChecked());
    toggle->trigger();
    QCOMPARE(f.IniValue("Configs", "Zelda"), std::string("1"));
  }

  // Only what the user chooses is stored: a value beyond a control's range is shown clamped and
  // stays as stored until the user moves the control; typed text is no item, also when it names one
  // and Enter follows; an index the program sets stores nothing. Keys move a control the way they
  // point.
  void onlyWhatTheUserChoosesIsStored() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\nMemCopy=-5\nSampleRate=9\n[Default]\nVideomode=12\nCPUCycles=10\n");
    TMainForm& form = f.Start();
    QCOMPARE(Child<RadioGroup>(form, "optVideoMode")->ItemIndex(), 7);
    QCOMPARE(Child<QSlider>(form, "sldCPU")->value(), 50);
    QCOMPARE(Child<QLabel>(form, "lblCPU")->text(), QString("50% CPU cycles"));
    QCOMPARE(f.IniValue("Default", "Videomode"), std::string("12"));
    QCOMPARE(f.IniValue("Default", "CPUCycles"), std::string("10"));
    QCOMPARE(f.IniValue("General", "MemCopy"), std::string("-5"));
    // The label of a slider the load did not move is set all the same.
    QCOMPARE(Child<QLabel>(form, "lblGamma")->text(), QString("Gamma correct: 0"));
    QTest::keyClick(Child<QSlider>(form, "sldCPU"), Qt::Key_Right);
    QCOMPARE(f.IniValue("Default", "CPUCycles"), std::string("51"));

    auto* rate = Child<QComboBox>(form, "cmbSampleRate");
    QCOMPARE(rate->currentIndex(), -1);
    QTest::keyClicks(rate->lineEdit(), "44100Hz");
    QTest::keyClick(rate->lineEdit(), Qt::Key_Return);
    rate->setCurrentIndex(3);
    QCOMPARE(f.IniValue("General", "SampleRate"), std::string("-1"));
    emit rate->activated(3);
    QCOMPARE(f.IniValue("General", "SampleRate"), std::string("3"));
    // The volume's minimum is at the top: Up moves the handle up, to quieter.
    QTest::keyClick(Child<QSlider>(form, "sldVolume"), Qt::Key_Up);
    QCOMPARE(f.IniValue("General", "Volume"), std::string("24"));
  }

  // With the native Linux build in the ZSNES folder, the options it lacks are disabled with a tooltip
  // and keep their values; the video modes, rates, gamma range and snapshot names are the build's
  // own, until the folder holds the DOS build.
  void panelAndSnapshotsAreTheBuildsOwn() {
    TempDir shots;
    EmulatorFixture f("Enter=0\nMemCopy=2\nSound=0\nSavegamePath=" + shots.Path() + "\nMediaPath=" + shots.Path() +
                          "\n[Default]\nGamma=12\nVideomode=6\n",
                      false);
    f.InstallEmulator(kOwnBuild);
    WriteTestFile(f.romDir / "Star Fox.smc", "rom");
    QImage shot(256, 224, QImage::Format_RGB32);
    shot.fill(QColor(10, 200, 30));
    QVERIFY(shot.save(QString::fromStdString(shots / "Star Fox_00000.png")));
    TMainForm& form = f.Start();
    auto* modes = Child<RadioGroup>(form, "optVideoMode");
    auto* rates = Child<QComboBox>(form, "cmbSampleRate");
    QStringList missing;
    for (const auto& binding : form.Bindings()) {
      auto* control = qobject_cast<QWidget*>(binding->Object());
      if (control && !control->isEnabled() && control->toolTip() == "Not available in this build of ZSNES")
        missing << control->objectName();
    }
    QCOMPARE(missing,
             QStringList({"chkInterleaved", "chkScale", "chkSmallScreen", "chkColor0", "chkDisableSPCHack",
                          "chkOffBy1LineFix", "optMemCopy", "chkBuffer", "chkBlaster", "chkEnter", "chkDebugger"}));
    QCOMPARE(modes->Items().at(modes->ItemIndex()), QString("512x448 window"));
    QCOMPARE(rates->itemText(rates->count() - 1), QString("48000Hz"));
    QCOMPARE(Child<QSlider>(form, "sldGamma")->value(), 12);
    QVERIFY(f.Click("Star Fox"));
    Child<QAction>(form, "Archivescreenshot1")->trigger();
    QVERIFY(f.Click("Star Fox"));
    auto* shown = dynamic_cast<TBitmapGraphic*>(Child<PreviewImage>(form, "imgPreview0")->Graphic());
    QVERIFY(shown && shown->Image().pixelColor(100, 100) == QColor(10, 200, 30));

    // Sound stored off leaves the sound controls as they are until the box is used; then it enables
    // only what the build has.
    QVERIFY(Child<QCheckBox>(form, "chkStereo")->isEnabled());
    Child<QCheckBox>(form, "chkSound")->click();
    QVERIFY(Child<QCheckBox>(form, "chkStereo")->isEnabled());
    QVERIFY(!Child<QCheckBox>(form, "chkBuffer")->isEnabled());

    // A mode chosen here is stored under the native key; the DOS build's choice stays, and comes back
    // with every control the build lacked when the folder holds the DOS build (sound off keeps only the
    // sound controls disabled).
    modes->Button(0)->click();
    Child<QCheckBox>(form, "chkSound")->click();
    QCOMPARE(f.IniValue("Default", kOwnVideomode), std::string("0"));
    TempDir dos;
    WriteTestFile(dos / "ZSNES.EXE", "");
    f.dialogs.pickerAnswers.push_back(dos.Path());
    Child<QAbstractButton>(form, "cmdBrowseZSNES")->click();
    auto* color0 = Child<QCheckBox>(form, "chkColor0");
    QVERIFY(color0->isEnabled() && color0->toolTip().isEmpty());
    QVERIFY(!Child<QCheckBox>(form, "chkBuffer")->isEnabled());
    QCOMPARE(Child<RadioGroup>(form, "optMemCopy")->ItemIndex(), 2);
    QCOMPARE(modes->ItemIndex(), 6);
    QCOMPARE(rates->count(), 6);
    // The DOS build's narrower range shows the Linux build's gamma at its end, and keeps it stored.
    QCOMPARE(Child<QSlider>(form, "sldGamma")->value(), 5);
    QCOMPARE(f.IniValue("Default", "Gamma"), std::string("12"));
  }

  // A gamma only the Linux build can take, in the DOS build's panel: each configuration shows it at
  // the DOS build's end, a start, a switch of configuration and a switch back store nothing, and the
  // launch gives the emulator the value shown. The user's own move is stored.
  void theOtherBuildsGammaIsShownAndLaunchedClampedAndKept() {
#ifdef _WIN32
    QSKIP("the DOS build on Windows starts only in DOSBox, which the tests do not install");
#endif
    EmulatorFixture f("[Configs]\nZelda=1\n[Default]\nGamma=12\n[Zelda]\nGamma=14\n");
    for (const char* name : {"MARIO.SMC", "Zelda.smc"}) WriteTestFile(f.romDir / name, name);
    const std::string before = f.Ini();
    TMainForm& form = f.Start();
    auto* gamma = Child<QSlider>(form, "sldGamma");
    QCOMPARE(gamma->value(), 5);
    QCOMPARE(Child<QLabel>(form, "lblGamma")->text(), QString("Gamma correct: 5"));
    QVERIFY(f.Click("Zelda"));
    QCOMPARE(Child<QLabel>(form, "StatusPanels0")->text(), QString("Zelda"));
    QCOMPARE(gamma->value(), 5);
    QVERIFY(f.DoubleClick("MARIO"));
    QCOMPARE(Child<QLabel>(form, "StatusPanels0")->text(), QString("Default"));
    QCOMPARE(f.Ini(), before);
    const std::vector<std::string> args = f.Starts(1).front().args;
    const auto g = std::find(args.begin(), args.end(), "-g");
    QVERIFY(g != args.end() && g + 1 != args.end());
    QCOMPARE(*(g + 1), std::string("5"));

    QTest::keyClick(gamma, Qt::Key_Left);
    QCOMPARE(f.IniValue("Default", "Gamma"), std::string("4"));
    QCOMPARE(f.IniValue("Zelda", "Gamma"), std::string("14"));
  }

  // A start only shows what is stored, so a settings file that refuses writes opens the window
  // whole; the user's change it refuses is reported.
  void aStartWritesNothingAndARefusedChangeIsReported() {
    FormFixture f;
    const std::string ini = f.IniPath();
    int writes = 0;
    kivo::platform::SetWriteFaultForTesting([ini, &writes](const std::string& path) {
      writes += path == ini;
      return path == ini;
    });
    TMainForm& form = f.Start();
    QCOMPARE(writes, 0);
    QVERIFY(f.dialogs.Errors().empty());
    QVERIFY(form.Preview().TitleShown());
    Child<QCheckBox>(form, "chkNTSC")->click();
    kivo::platform::SetWriteFaultForTesting({});
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{QString::fromStdString("Unable to write to " + ini + ".")});
  }
};

QTEST_MAIN(OptionPanelTest)
#include "option_panel_test.moc"
