// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Starting a game from the real window with the fake emulator installed as ZSNES.EXE: the three
// ways to start, the command line and working folder it receives, aliases for awkward names, batch
// mode, priority, and the failures that do and do not reach the user.
#include <sys/resource.h>

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

#include "browser/list_entry.h"
#include "gui/support/emulator_fixture.h"
#include "gui/support/find_child.h"
#include "platform/files.h"
#include "support/priority.h"

namespace {

using Args = std::vector<std::string>;

// The switches of a settings file holding only what the window's first load writes back.
const Args kDefaultSwitches = {"-a", "-e", "-g", "0", "-k", "75", "-m", "-p", "100", "-r", "2", "-s", "-v", "3"};
const std::string kDefaultSwitchText = " -a -e -g 0 -k 75 -m -p 100 -r 2 -s -v 3";

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

    struct Trigger {
      const char* caption;
      const char* file;
      std::function<void()> start;
      Args switches;
    };
    const Args withScanlines = {"-a", "-e", "-g", "0", "-k", "75", "-m", "-n", "-p", "100", "-r", "2", "-s", "-v", "3"};
    const Trigger triggers[] = {
        {"Alpha", "Alpha.smc", [&] { QVERIFY(f.DoubleClick("Alpha")); }, kDefaultSwitches},
        {"Beta", "Beta.sfc",
         [&] {
           QVERIFY(f.Click("Beta"));
           Child<QListView>(form, "ListView")->setFocus();
           QTest::keyClick(Child<QListView>(form, "ListView"), Qt::Key_Return);
         },
         withScanlines},
        {"Gamma", "Gamma.fig",
         [&] {
           QVERIFY(f.Click("Gamma"));
           QTest::mouseClick(Child<PreviewImage>(form, "imgPreview0"), Qt::LeftButton);
         },
         kDefaultSwitches},
        // Last, so that a doubled start of the one before would show before this one.
        {"Delta", "Delta.smc", [&] { QVERIFY(f.DoubleClick("Delta")); }, kDefaultSwitches},
    };
    size_t count = 0;
    for (const Trigger& trigger : triggers) {
      trigger.start();
      ++count;
      QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), count, kStartTimeoutMs);
      const FakeStart start = f.Log().starts.back();
      QCOMPARE(start.program, f.Emu("ZSNES.EXE"));
      QCOMPARE(start.args, Concat({f.Rom(trigger.file)}, trigger.switches));
      QCOMPARE(start.cwd, f.emu.Path());
    }
    // The emulator's own file was brought in line for the game folder, its other lines kept.
    QVERIFY(ReadTestFile(f.Emu("ZSNES.CFG")).starts_with("Sound = 1\r\nGameDirectory =" + f.romDir.Path() + "\r\n"));
    QVERIFY(!platform::FileExists(f.Emu("zkivo.bat")));
    QVERIFY(f.dialogs.messages.empty());
  }

  // A name with blanks and brackets would be split by the emulator's command line; it arrives as a
  // short alias, the same one on every launch, and a second such name gets an alias of its own. A
  // name that is not UTF-8 is launched by its bytes.
  void awkwardNamesArriveAsStableBlankFreeAliases() {
    EmulatorFixture f;
    const std::string usa = "Super Mario World (U) [!].smc";
    const std::string europe = "Super Mario World (E) [!].smc";
    const std::string latin1 = "Caf\xE9 \xFF.smc";
    for (const std::string& name : {usa, europe, latin1}) WriteTestFile(f.Rom(name), name);
    f.Start();
    const std::string usaAlias = f.appDir / "shortnames/SUPERM~1.SMC";
    const std::string europeAlias = f.appDir / "shortnames/SUPERM~2.SMC";
    const std::string latin1Alias = f.appDir / "shortnames/CAF~1.SMC";
    const std::pair<std::string, std::string> launches[] = {
        {usa, usaAlias}, {europe, europeAlias}, {latin1, latin1Alias}, {usa, usaAlias}};
    size_t count = 0;
    for (const auto& [name, alias] : launches) {
      // Found by its bytes: the caption shown for a name that is not UTF-8 is only a rendering.
      QVERIFY(f.ClickRow(f.FileRow(name), true));
      ++count;
      QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), count, kStartTimeoutMs);
      QCOMPARE(f.Log().starts.back().args, Concat({alias}, kDefaultSwitches));
      QCOMPARE(ReadTestFile(alias), name);
    }
  }

  // With "Shell through .bat" checked, the DOS-command field is enabled and what it holds runs
  // before the emulator, from the batch file written beside it.
  void batchModeRunsTheDosCommandFirst() {
    EmulatorFixture f;
    WriteTestFile(f.Rom("MARIO.SMC"), "mario");
    TMainForm& form = f.Start();
    QVERIFY(!Child<QLineEdit>(form, "txtExtraCmd")->isEnabled());
    Child<QAction>(form, "mnuBat")->trigger();
    QVERIFY(Child<QAction>(form, "mnuBat")->isChecked());
    QVERIFY(Child<QLineEdit>(form, "txtExtraCmd")->isEnabled());
    const std::string dosCommand = "echo DOS-FIRST >> fake_zsnes.log";
    QTest::keyClicks(Child<QLineEdit>(form, "txtExtraCmd"), QString::fromStdString(dosCommand));

    QVERIFY(f.DoubleClick("MARIO"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(1), kStartTimeoutMs);
    const std::string commandLine = f.Emu("ZSNES.EXE") + " " + f.Rom("MARIO.SMC") + kDefaultSwitchText;
    QCOMPARE(ReadTestFile(f.Emu("zkivo.bat")), dosCommand + "\r@" + commandLine);
    QVERIFY(ReadTestFile(f.Emu("fake_zsnes.log")).starts_with("DOS-FIRST\nprogram=" + f.Emu("ZSNES.EXE") + "\n"));
    const FakeStart start = f.Log().starts.back();
    QCOMPARE(start.args, Concat({f.Rom("MARIO.SMC")}, kDefaultSwitches));
    QCOMPARE(start.cwd, f.emu.Path());

    // An emptied field leaves only the emulator's line in the batch file.
    Child<QLineEdit>(form, "txtExtraCmd")->selectAll();
    QTest::keyClick(Child<QLineEdit>(form, "txtExtraCmd"), Qt::Key_Backspace);
    QVERIFY(f.DoubleClick("MARIO"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(2), kStartTimeoutMs);
    QCOMPARE(ReadTestFile(f.Emu("zkivo.bat")), "@" + commandLine);
    QVERIFY(f.dialogs.messages.empty());
  }

  // "High priority" raises the emulator's priority when the system allows it, directly and through
  // the batch file (where the shell gets it and the emulator inherits it).
  void highPriorityIsRequested() {
    EmulatorFixture f;
    WriteTestFile(f.Rom("MARIO.SMC"), "mario");
    TMainForm& form = f.Start();
    Child<QAction>(form, "mnuHighPriority")->trigger();
    QVERIFY(Child<QAction>(form, "mnuHighPriority")->isChecked());
    const int own = ::getpriority(PRIO_PROCESS, 0);
    const bool mayRaise = MayRaisePriority();
    for (size_t count = 1; count <= 2; ++count) {
      if (count == 2) Child<QAction>(form, "mnuBat")->trigger();
      QVERIFY(f.DoubleClick("MARIO"));
      QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), count, kStartTimeoutMs);
      const int nice = f.Log().starts.back().nice;
      if (mayRaise) {
        QVERIFY2(nice < own && nice >= -10, qPrintable(QString::number(nice)));
      } else {
        QCOMPARE(nice, own);
      }
    }
    // Switched off again, the emulator runs at the front-end's own priority.
    Child<QAction>(form, "mnuHighPriority")->trigger();
    QVERIFY(f.DoubleClick("MARIO"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(3), kStartTimeoutMs);
    QCOMPARE(f.Log().starts.back().nice, own);
  }

  // A launch that cannot start says why in the error report and starts nothing: no emulator in the
  // folder, an archive without a ROM. Once the emulator is there, the next launch is the first it
  // records.
  void aLaunchThatCannotStartSaysWhy() {
    EmulatorFixture f("", false);
    WriteTestFile(f.Rom("MARIO.SMC"), "mario");
    WriteTestFile(f.Rom("Notes.zip"), "not an archive");
    f.Start();
    QVERIFY(f.DoubleClick("MARIO"));
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{QString::fromStdString(
                                     "No ZSNES in " + f.emu.Path() + ": neither zsnes nor ZSNES.EXE is there.")});

    f.context.settingsFile->WriteString("General", "ZSNESPath", f.emu.Path());
    f.InstallEmulator();
    QVERIFY(f.DoubleClick("Notes"));
    QCOMPARE(f.dialogs.Errors().back(),
             QString::fromStdString("No ROM image could be unpacked from " + f.Rom("Notes.zip") + "."));
    QVERIFY(f.DoubleClick("MARIO"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(1), kStartTimeoutMs);
    QCOMPARE(f.Log().starts.front().args, Concat({f.Rom("MARIO.SMC")}, kDefaultSwitches));
    QCOMPARE(f.dialogs.Errors().size(), size_t(2));
  }

  // The front-end does not wait: a second launch starts a second emulator while the first runs.
  void secondLaunchWhileTheFirstStillRuns() {
    EmulatorFixture f;
    WriteTestFile(f.Rom("MARIO.SMC"), "mario");
    WriteTestFile(f.Rom("ZELDA.SMC"), "zelda");
    WriteTestFile(f.Emu("fake_zsnes.stay"), "");  // the emulators run until this file goes
    f.Start();
    QVERIFY(f.DoubleClick("MARIO"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(1), kStartTimeoutMs);
    QVERIFY(f.DoubleClick("ZELDA"));
    QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(2), kStartTimeoutMs);
    FakeLog log = f.Log();
    QVERIFY(log.ended.empty());
    QCOMPARE(log.starts[0].args.front(), f.Rom("MARIO.SMC"));
    QCOMPARE(log.starts[1].args.front(), f.Rom("ZELDA.SMC"));
    QVERIFY(log.starts[0].pid != log.starts[1].pid);

    // Both were running until now: each records its end once let go.
    platform::DeleteFile(f.Emu("fake_zsnes.stay"));
    QTRY_COMPARE_WITH_TIMEOUT(f.Log().ended.size(), size_t(2), kStartTimeoutMs);
    log = f.Log();
    std::sort(log.ended.begin(), log.ended.end());
    std::vector<int> pids = {log.starts[0].pid, log.starts[1].pid};
    std::sort(pids.begin(), pids.end());
    QCOMPARE(log.ended, pids);
  }

  // A ZSNES.CFG (or batch file) that cannot be written ends the launch with the error report and
  // starts nothing; the emulator's file is left as it was.
  void unwritableFilesGiveTheErrorReportAndStartNothing() {
    struct Case {
      const char* name;
      bool batch;
      const char* failing;
    };
    const Case cases[] = {
        {"direct, ZSNES.CFG", false, "ZSNES.CFG"},
        {"batch, ZSNES.CFG", true, "ZSNES.CFG"},
        {"batch, zkivo.bat", true, "zkivo.bat"},
    };
    for (const Case& c : cases) {
      EmulatorFixture f(c.batch ? "ShellBat=1\n" : "");
      WriteTestFile(f.Rom("MARIO.SMC"), "mario");
      f.Start();
      const std::string failing = f.Emu(c.failing);
      platform::SetWriteFaultForTesting([failing](const std::string& path) { return path == failing; });
      QVERIFY2(f.DoubleClick("MARIO"), c.name);
      platform::SetWriteFaultForTesting({});
      const std::vector<QString> errors = f.dialogs.Errors();
      QVERIFY2(errors.size() == 1 && f.dialogs.messages.size() == 1, c.name);
      QCOMPARE(errors.front(), QString::fromStdString("Cannot create file " + failing + "."));
      if (std::string_view(c.failing) == "ZSNES.CFG") {
        QCOMPARE(ReadTestFile(f.Emu("ZSNES.CFG")), std::string(EmulatorFixture::kCfg));
        QVERIFY2(!platform::FileExists(f.Emu("zkivo.bat")), c.name);
      }

      // The next launch works, and its emulator is the only one that ever started.
      QVERIFY(f.DoubleClick("MARIO"));
      QTRY_COMPARE_WITH_TIMEOUT(f.CountStarts(), size_t(1), kStartTimeoutMs);
      QCOMPARE(f.dialogs.messages.size(), size_t(1));
    }
  }
};

QTEST_MAIN(LaunchTest)
#include "launch_test.moc"
