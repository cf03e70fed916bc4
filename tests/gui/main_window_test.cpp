// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The main window's lifecycle, geometry, first-run prompt and shell commands.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "app/settings_file.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "platform/dirs.h"
#include "platform/files.h"

using namespace kivo::app;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartAsksForTheEmulatorFolderOnce() {
    FormFixture f;
    kivo::platform::DeleteFile(f.IniPath());
    TMainForm& form = f.Start();
    QTRY_COMPARE(f.dialogs.pickerTitles.size(), size_t(1));
    QCOMPARE(f.dialogs.messages.front().caption, QString("Message"));
    // Both builds of the emulator are named: a Linux user has zsnes, not ZSNES.EXE.
    QCOMPARE(f.dialogs.messages.front().text,
             QString("Since this is the first time\nyou run this program you should\nset the path to ZSNES in the "
                     "setup:\nthe folder of zsnes (the Linux build)\nor of ZSNES.EXE (the DOS build)."));
    QCOMPARE(f.dialogs.pickerTitles.front(), QString("Location of zsnes or ZSNES.EXE"));
    QCOMPARE(form.pos(), QPoint(343, 78));
    QCOMPARE(form.size(), QSize(685, 568));
    QCOMPARE(Child<QTabWidget>(form, "PageControl1")->tabText(Child<QTabWidget>(form, "PageControl1")->currentIndex()),
             QString("Setup"));
    QCOMPARE(form.windowTitle(), QString("KIVO"));

    SettingsFile ini(f.IniPath());
    QCOMPARE(ini.ReadInteger("General", "Run first", 7), 0);
    QCOMPARE(ini.ReadString("General", "ZSNESPath", "unset"), std::string(""));

    // Activating the window again, and starting anew, asks nothing.
    form.activateWindow();
    f.Close();
    FormFixture again;
    WriteTestFile(again.IniPath(), f.Ini());
    again.Start();
    QTest::qWait(50);
    QVERIFY(again.dialogs.pickerTitles.empty());
  }

  void geometryIsRestoredAndMaximizedStateKept() {
    FormFixture f;
    TMainForm& form = f.Start();
    form.move(120, 90);
    form.resize(600, 560);
    f.Close();
    SettingsFile ini(f.IniPath());
    QCOMPARE(ini.ReadInteger("Positions", "FormLeft", 0), 120);
    QCOMPARE(ini.ReadInteger("Positions", "FormTop", 0), 90);
    QCOMPARE(ini.ReadInteger("Size", "FormWidth", 0), 600);
    QCOMPARE(ini.ReadInteger("Size", "FormHeight", 0), 560);
    QCOMPARE(ini.ReadBool("Positions", "Maximized", true), false);

    // Closed while maximised: only the flag is written, and the next start opens maximised with
    // the last normal geometry underneath.
    FormFixture g;
    WriteTestFile(g.IniPath(), f.Ini());
    TMainForm& second = g.Start();
    QCOMPARE(second.size(), QSize(600, 560));
    second.showMaximized();
    QTRY_VERIFY(second.isMaximized());
    g.Close();
    SettingsFile ini2(g.IniPath());
    QVERIFY(ini2.ReadBool("Positions", "Maximized", false));
    QCOMPARE(ini2.ReadInteger("Size", "FormWidth", 0), 600);

    FormFixture h;
    WriteTestFile(h.IniPath(), g.Ini());
    TMainForm& third = h.Start();
    QTRY_VERIFY(third.isMaximized());
    third.showNormal();
    QTRY_COMPARE(third.size(), QSize(600, 560));
    QCOMPARE(third.pos(), QPoint(120, 90));

    // Closed while minimised: the frame's place, as any other close stores it.
    third.move(150, 100);
    third.showMinimized();
    h.Close();
    SettingsFile ini3(h.IniPath());
    QCOMPARE(ini3.ReadInteger("Positions", "FormLeft", 0), 150);
    QCOMPARE(ini3.ReadInteger("Positions", "FormTop", 0), 100);
  }

  void tooSmallStoredWidthOpensAtTheMinimum() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\n[Size]\nFormWidth=100\nFormHeight=100\n");
    TMainForm& form = f.Start();
    QCOMPARE(form.width(), 450);
    QCOMPARE(form.height(), 550);
  }

  void romDirectoryIsKeptAndFallsBackWhenRemoved() {
    FormFixture f;
    MakeTestDir(f.romDir / "games");
    f.SetIni("[General]\nRun first=0\nROMDirectory=" + (f.romDir / "games") + "\n");
    f.Start();
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir / "games");
    QCOMPARE(Child<QLabel>(*f.form, "StatusPanels2")->text(), QString::fromStdString(f.romDir / "games"));
    QVERIFY(f.DoubleClick(".."));
    f.Close();
    QCOMPARE(SettingsFile(f.IniPath()).ReadString("General", "ROMDirectory", ""), f.romDir.Path());

    FormFixture g;
    kivo::platform::SetCurrentDir(g.romDir.Path());
    g.SetIni("[General]\nRun first=0\nROMDirectory=/no/such/folder\n");
    g.Start();
    QCOMPARE(kivo::platform::GetCurrentDir(), g.romDir.Path());
  }

  void browseButtonsStoreTheChosenFolderAndRestoreOnCancel() {
    FormFixture f;
    TMainForm& form = f.Start();
    f.dialogs.pickerAnswers.push_back(std::string("/media/shots"));
    Child<QPushButton>(form, "cmdBrowseMedia")->click();
    QCOMPARE(Child<QLineEdit>(form, "txtDirMedia")->text(), QString("/media/shots"));
    QCOMPARE(f.dialogs.pickerTitles.back(), QString("Location for Media files"));
    f.dialogs.pickerAnswers.push_back(std::string("/"));
    Child<QPushButton>(form, "cmdBrowseSavegame")->click();
    QCOMPARE(SettingsFile(f.IniPath()).ReadString("General", "SavegamePath", ""), std::string("/"));

    // A cancel writes the edit's text again, even when the file was edited meanwhile.
    SettingsFile(f.IniPath()).WriteString("General", "MediaPath", "edited");
    Child<QPushButton>(form, "cmdBrowseMedia")->click();
    QCOMPARE(SettingsFile(f.IniPath()).ReadString("General", "MediaPath", ""), std::string("/media/shots"));
  }

  // The help documents go to the desktop; one that is missing, or a page the desktop cannot open,
  // is reported instead of being ignored.
  void helpCommandsHandTheRightTargetsToTheDesktop() {
    FormFixture f;
    TempDir zsnes;
    WriteTestFile(f.appDir / "KIVO - Manual.txt", "manual");
    WriteTestFile(zsnes / "Readme.txt", "readme");
    TMainForm& form = f.Start();
    Child<QAction>(form, "KIVOReadme1")->trigger();
    Child<QAction>(form, "ZSNESReadme1")->trigger();  // no ZSNES folder yet: "Readme.txt" in the current folder
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{"Cannot open file Readme.txt."});
    SettingsFile(f.IniPath()).WriteString("General", "ZSNESPath", zsnes.Path());
    Child<QAction>(form, "ZSNESReadme1")->trigger();
    Child<QAction>(form, "KIVOHomepage1")->trigger();
    QCOMPARE(f.dialogs.opened.size(), size_t(3));
    QCOMPARE(f.dialogs.opened[0], f.appDir / "KIVO - Manual.txt");
    QCOMPARE(f.dialogs.opened[1], zsnes / "Readme.txt");
    QCOMPARE(f.dialogs.opened[2], std::string("https://kivo.example.org/"));
    f.dialogs.openSucceeds = false;
    Child<QAction>(form, "ZSNESHomepage1")->trigger();
    QCOMPARE(f.dialogs.Errors().back(), QString("Cannot open https://www.zsnes.com/."));
    Child<QAction>(form, "mnuAbout")->trigger();
    QCOMPARE(f.dialogs.messages.back().caption, QString("About"));
    QVERIFY(f.dialogs.messages.back().text.startsWith("KIVO 0.991 4/10/1999\n"));
  }

  void preferencesSwitchesStoreTheirMarks() {
    FormFixture f;
    TMainForm& form = f.Start();
    QVERIFY(!Child<QLineEdit>(form, "txtExtraCmd")->isEnabled());
    Child<QAction>(form, "mnuBat")->trigger();
    QVERIFY(Child<QLineEdit>(form, "txtExtraCmd")->isEnabled());
    QVERIFY(Child<QLabel>(form, "lblExtraCmd")->isEnabled());
    Child<QAction>(form, "mnuHighPriority")->trigger();
    SettingsFile ini(f.IniPath());
    QVERIFY(ini.ReadBool("General", "ShellBat", false));
    QVERIFY(ini.ReadBool("General", "High Priority", false));
    Child<QAction>(form, "mnuBat")->trigger();
    QVERIFY(!Child<QLineEdit>(form, "txtExtraCmd")->isEnabled());
    QVERIFY(!ini.ReadBool("General", "ShellBat", true));
    QVERIFY(!Child<QAction>(form, "SingleClick1")->isEnabled());
    QVERIFY(!Child<QAction>(form, "QuickROM1")->isEnabled());
  }

  // A refused write of the settings file shows the error report; closing still ends the window.
  void refusedSettingsWritesShowTheErrorReportAndClosingStillEnds() {
    FormFixture f;
    TMainForm& form = f.Start();
    const std::string ini = f.IniPath();
    kivo::platform::SetWriteFaultForTesting([ini](const std::string& path) { return path == ini; });
    Child<QPushButton>(form, "cmdBrowseZSNES")->click();
    QCOMPARE(f.dialogs.Errors(), std::vector<QString>{QString::fromStdString("Unable to write to " + ini + ".")});
    QVERIFY(form.close());
    kivo::platform::SetWriteFaultForTesting({});
    QCOMPARE(f.dialogs.Errors().size(), size_t(2));
    QVERIFY(!form.isVisible());
    QVERIFY(!f.context.settingsFile);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
