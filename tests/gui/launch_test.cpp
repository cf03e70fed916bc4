// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Starting a game from the window with the fake emulator, and the zip cache's row; what the launch
// itself writes and passes is the launch tests' own.
#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "common/path.h"
#include "gui/support/emulator_fixture.h"
#include "support/zip_builder.h"
#include "zipcache/zip_cache.h"

using namespace kivo::app;

class LaunchTest : public QObject {
  Q_OBJECT

 private slots:
  // A launch that cannot start says why and starts nothing; then Enter and a double click each start
  // the entry selected, with the switches of the configuration the selection put in force.
  void enterAndDoubleClickStartTheSelectedRom() {
    EmulatorFixture f("[Configs]\nBeta=1\n[Beta]\nScanlines=1\n", false);
    for (const char* name : {"Alpha.smc", "Beta.sfc"}) WriteTestFile(f.romDir / name, name);
    TMainForm& form = f.Start();
    QVERIFY(f.DoubleClick("Alpha"));
    QCOMPARE(f.dialogs.Errors(),
             std::vector<QString>{QString::fromStdString("No ZSNES in " + f.emu.Path() + ": neither " + kOwnBuild +
                                                         " nor ZSNES.EXE is there.")});

    f.InstallEmulator();
    // Beta's configuration adds scanlines.
    auto given = [&](const char* rom, bool scanlines) { return DefaultZsnesExeArgs(f.romDir / rom, scanlines); };
    QVERIFY(f.Click("Beta"));
    QTest::keyClick(Child<QListView>(form, "ListView"), Qt::Key_Return);
    QCOMPARE(f.Starts(1).front().args, given("Beta.sfc", true));
    // Second, so that a doubled start of the one before would show as a record out of turn.
    QVERIFY(f.DoubleClick("Alpha"));
    QCOMPARE(f.Starts(2).back().args, given("Alpha.smc", false));
    QCOMPARE(f.Starts(2).size(), size_t(2));
  }

  // "Shell through .bat", as stored and as set, enables the DOS command, which runs first as typed.
  void batchModeRunsTheTypedDosCommandFirst() {
    EmulatorFixture f("ShellBat=1\n");
    WriteTestFile(f.romDir / "MARIO.SMC", "mario");
    TMainForm& form = f.Start();
    auto* field = Child<QLineEdit>(form, "txtExtraCmd");
    QVERIFY(field->isEnabled());
    Child<QAction>(form, "mnuBat")->trigger();
    QVERIFY(!field->isEnabled() && !Child<QLabel>(form, "lblExtraCmd")->isEnabled());
    Child<QAction>(form, "mnuBat")->trigger();
    QTest::keyClicks(field, "echo DOS-FIRST >> fake_zsnes.log");
    QVERIFY(f.DoubleClick("MARIO"));
    QCOMPARE(f.Starts(1).size(), size_t(1));
    // The command's line first (cmd.exe keeps the blank before ">>"), then the emulator's record.
    const std::string log = ReadTestFile(f.emu / "fake_zsnes.log");
    QVERIFY2(log.starts_with("DOS-FIRST") && log.find("\nprogram=") < log.find("\n--"), log.c_str());
    QCOMPARE(kivo::common::ExtractFileName(f.Starts(1).front().program), std::string("ZSNES.EXE"));
  }

  // A zipped game starts from the cache's copy. A stored limit below the row's range shows as its
  // lowest, yet holds; the arrows change only the number shown, and Apply stores and sets it.
  void aZippedGameStartsFromTheCacheAndTheRowSetsItsLimit() {
    EmulatorFixture f("CacheSize=1\n");
    WriteZip(f.romDir / "Zelda.zip", {ZipFile("README.TXT", "read me"), ZipFile("ZELDA.SMC", "zelda", true)});
    TMainForm& form = f.Start();
    QVERIFY(f.DoubleClick("Zelda"));
    const std::vector<std::string> args = f.Starts(1).back().args;
    QCOMPARE(args, DefaultZsnesExeArgs(kivo::common::NativeSeparators(f.appDir / "zipcache/Zelda-1/ZELDA.SMC"), false));

    auto* apply = Child<QPushButton>(form, "btnCache");
    // The number shown, the number stored, the cache's limit, and whether Apply is enabled.
    auto row = [&] {
      return Child<QLineEdit>(form, "EditCacheSize")->text().toStdString() + " " + f.IniValue("General", "CacheSize") +
             " " + std::to_string(form.ZipCache()->CacheLimit()) + (apply->isEnabled() ? " apply" : "");
    };
    QCOMPARE(row(), std::string("2 1 1"));
    Child<QToolButton>(form, "down")->click();
    QCOMPARE(row(), std::string("2 1 1"));
    Child<QToolButton>(form, "up")->click();
    QCOMPARE(row(), std::string("3 1 1 apply"));
    apply->click();
    QCOMPARE(row(), std::string("3 3 3"));
  }
};

QTEST_MAIN(LaunchTest)
#include "launch_test.moc"
