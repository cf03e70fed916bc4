// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Starting a game from the real window with the fake emulator installed as ZSNES.EXE: the three
// ways to start, the configuration the selection put in force, the DOS command typed into its
// field, and a launch that cannot start. What the launch itself writes and passes is the launch
// tests' own.
#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <functional>
#include <vector>

#include "gui/support/emulator_fixture.h"
#include "gui/support/find_child.h"

using namespace kivo::app;
using namespace kivo::screenshots;

namespace {

using Args = std::vector<std::string>;

// The switches of a settings file holding only what the window's first load writes back.
const Args kDefaultSwitches = {"-a", "-e", "-g", "0", "-k", "75", "-m", "-p", "100", "-r", "2", "-s", "-v", "3"};

constexpr int kStartTimeoutMs = EmulatorFixture::kStartTimeoutMs;

Args Concat(Args head, const Args& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

}  // namespace

class LaunchTest : public QObject {
  Q_OBJECT

 private slots:
  // Each way of starting starts exactly one emulator for the entry selected, in the emulator's
  // folder, with the configuration the selection put in force; distinct ROMs show which trigger
  // started which emulator, so a doubled start would show as a record out of turn.
  void doubleClickEnterAndPreviewClickStartTheSelectedRom() {
    EmulatorFixture f("[Configs]\nBeta=1\n[Beta]\nScanlines=1\n");
    for (const char* name : {"Alpha.smc", "Beta.sfc", "Gamma.fig", "Delta.smc"}) WriteTestFile(f.Rom(name), name);
    TMainForm& form = f.Start();
    auto* list = Child<QListView>(form, "ListView");

    const Args withScanlines = {"-a", "-e", "-g", "0", "-k", "75", "-m", "-n", "-p", "100", "-r", "2", "-s", "-v", "3"};
    const struct {
      const char* file;
      std::function<void()> start;
      Args switches;
    } triggers[] = {
        {"Alpha.smc", [&] { QVERIFY(f.DoubleClick("Alpha")); }, kDefaultSwitches},
        {"Beta.sfc",
         [&] {
           QVERIFY(f.Click("Beta"));
           list->setFocus();
           QTest::keyClick(list, Qt::Key_Return);
         },
         withScanlines},
        {"Gamma.fig",
         [&] {
           QVERIFY(f.Click("Gamma"));
           QTest::mouseClick(Child<PreviewImage>(form, "imgPreview0"), Qt::LeftButton);
         },
         kDefaultSwitches},
        // Last, so that a doubled start of the one before would show before this one.
        {"Delta.smc", [&] { QVERIFY(f.DoubleClick("Delta")); }, kDefaultSwitches},
    };
    size_t count = 0;
    for (const auto& trigger : triggers) {
      trigger.start();
      ++count;
      QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), count, kStartTimeoutMs);
      const FakeStart start = f.Log().starts.back();
      QCOMPARE(start.program, f.Emu("ZSNES.EXE"));
      QCOMPARE(start.args, Concat({f.Rom(trigger.file)}, trigger.switches));
      QCOMPARE(start.cwd, f.emu.Path());
    }
    QVERIFY(f.dialogs.messages.empty());
  }

  // With "Shell through .bat" checked, the DOS-command field is enabled, and what is typed into it
  // runs before the emulator; an emptied field leaves only the emulator's line.
  void batchModeRunsTheTypedDosCommandFirst() {
    EmulatorFixture f;
    WriteTestFile(f.Rom("MARIO.SMC"), "mario");
    TMainForm& form = f.Start();
    auto* field = Child<QLineEdit>(form, "txtExtraCmd");
    QVERIFY(!field->isEnabled());
    Child<QAction>(form, "mnuBat")->trigger();
    QVERIFY(field->isEnabled());
    QTest::keyClicks(field, "echo DOS-FIRST >> fake_zsnes.log");

    QVERIFY(f.DoubleClick("MARIO"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(1), kStartTimeoutMs);
    QVERIFY(ReadTestFile(f.Emu("fake_zsnes.log")).starts_with("DOS-FIRST\nprogram=" + f.Emu("ZSNES.EXE") + "\n"));

    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QVERIFY(f.DoubleClick("MARIO"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(2), kStartTimeoutMs);
    QVERIFY(ReadTestFile(f.Emu("zkivo.bat")).starts_with("@"));
    QVERIFY(f.dialogs.messages.empty());
  }

  // A launch that cannot start says why in the error report and starts nothing. Once the emulator
  // is there, the next launch is the first it records.
  void aLaunchThatCannotStartSaysWhy() {
    EmulatorFixture f("", false);
    WriteTestFile(f.Rom("MARIO.SMC"), "mario");
    f.Start();
    QVERIFY(f.DoubleClick("MARIO"));
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{QString::fromStdString(
                                     "No ZSNES in " + f.emu.Path() + ": neither zsnes nor ZSNES.EXE is there.")});

    f.InstallEmulator();
    QVERIFY(f.DoubleClick("MARIO"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(1), kStartTimeoutMs);
    QCOMPARE(f.dialogs.Errors().size(), size_t(1));
  }
};

QTEST_MAIN(LaunchTest)
#include "launch_test.moc"
