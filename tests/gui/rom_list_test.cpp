// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The ROM list in the real window: navigation, selection, Delete, the File menu's enabling and
// the list shortcuts.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "browser/list_entry.h"
#include "browser/ui/rom_list_model.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "platform/dirs.h"
#include "platform/files.h"

using namespace kivo::app;
using namespace kivo::browser;

class RomListTest : public QObject {
  Q_OBJECT

 private slots:
  void listsFoldersAndRomsAndMovesThroughFolders() {
    FormFixture f;
    MakeTestDir(f.romDir / "snes");
    WriteTestFile(f.romDir / "snes/Zelda.smc", "x");
    WriteTestFile(f.romDir / "Mario.smc", "x");
    WriteTestFile(f.romDir / "Mario.zip", "x");
    WriteTestFile(f.romDir / "README", "x");
    f.Start();
    QCOMPARE(f.Captions().mid(f.Captions().indexOf(".")), QStringList({".", "..", "snes", "Mario", "Mario"}));
    QCOMPARE(ListModelOf(*f.form)->EntryAt(f.Row("Mario", kZipArchive))->fileName, std::string("Mario.zip"));

    QVERIFY(f.DoubleClick("snes"));
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir / "snes");
    QVERIFY(f.Row("Zelda") >= 0);
    QCOMPARE(Child<QLabel>(*f.form, "StatusPanels2")->text(), QString::fromStdString(f.romDir / "snes"));
    QVERIFY(f.DoubleClick("."));
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir / "snes");
    QVERIFY(f.DoubleClick(".."));
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir.Path());

    // The root drive entry leads to the root folder.
    QVERIFY(f.DoubleClick("/", kDrive));
    QCOMPARE(kivo::platform::GetCurrentDir(), std::string("/"));
    QCOMPARE(Child<QLabel>(*f.form, "StatusPanels2")->text(), QString("/"));
  }

  void keysReleasedInTheListSelectAndOpen() {
    FormFixture f;
    MakeTestDir(f.romDir / "inner");
    WriteTestFile(f.romDir / "A.smc", "x");
    WriteTestFile(f.romDir / "B.sfc", "x");
    TMainForm& form = f.Start();
    QVERIFY(f.Click("A"));
    QCOMPARE(f.context.selectedRomFile, std::string("A.smc"));
    Child<QListView>(form, "ListView")->setFocus();
    QTest::keyClick(Child<QListView>(form, "ListView"), Qt::Key_Down);
    QCOMPARE(f.context.selectedRomFile, std::string("B.sfc"));

    // Selecting a folder keeps the remembered file. An Enter pressed elsewhere (closing a message
    // box) and released over the list opens nothing; one pressed in the list opens the folder.
    Child<QListView>(form, "ListView")->setCurrentIndex(ListModelOf(form)->index(f.Row("inner")));
    QTest::keyClick(Child<QListView>(form, "ListView"), Qt::Key_Shift);
    QCOMPARE(f.context.selectedRomFile, std::string("B.sfc"));
    QTest::keyRelease(Child<QListView>(form, "ListView"), Qt::Key_Return);
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir.Path());
    QTest::keyClick(Child<QListView>(form, "ListView"), Qt::Key_Return);
    QCOMPARE(kivo::platform::GetCurrentDir(), f.romDir / "inner");
  }

  void deleteAsksFirstAndRemovesOnlyTheSelectedFile() {
    FormFixture f;
    WriteTestFile(f.romDir / "Keep.smc", "x");
    WriteTestFile(f.romDir / "Gone.smc", "x");
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Gone"));

    f.dialogs.confirmAnswers = {false};
    Child<QAction>(form, "mnuDelete")->trigger();
    QCOMPARE(f.dialogs.messages.back().text, QString("Really delete this file?"));
    QCOMPARE(f.dialogs.messages.back().caption, QString("Confirm file delete"));
    QVERIFY(kivo::platform::FileExists(f.romDir / "Gone.smc"));
    QVERIFY(form.SelectedEntry().has_value());  // a cancel does not refresh the list

    Child<QAction>(form, "mnuDelete")->trigger();
    QVERIFY(!kivo::platform::FileExists(f.romDir / "Gone.smc"));
    QVERIFY(kivo::platform::FileExists(f.romDir / "Keep.smc"));
    QCOMPARE(f.Row("Gone"), -1);

    // A file that vanished meanwhile: nothing is deleted, the list is refreshed.
    QVERIFY(f.Click("Keep"));
    kivo::platform::DeleteFile(f.romDir / "Keep.smc");
    Child<QAction>(form, "mnuDelete")->trigger();
    QCOMPARE(f.Row("Keep"), -1);

    // With a folder selected, the remembered file name is not deleted.
    WriteTestFile(f.romDir / "Safe.smc", "x");
    form.ScanDirectory();
    QVERIFY(f.Click("Safe"));
    QVERIFY(f.Click(".."));
    size_t boxes = f.dialogs.messages.size();
    Child<QAction>(form, "mnuDelete")->trigger();
    QCOMPARE(f.dialogs.messages.size(), boxes);
    QVERIFY(kivo::platform::FileExists(f.romDir / "Safe.smc"));
  }

  void unzipIsEnabledForARememberedArchiveOnly() {
    FormFixture f;
    WriteTestFile(f.romDir / "Zelda.ZIP", "x");
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    TMainForm& form = f.Start();
    emit Child<QMenu>(form, "popFile")->aboutToShow();
    QVERIFY(!Child<QAction>(form, "Unzip1")->isEnabled());
    QVERIFY(f.Click("Zelda", kZipArchive));
    emit Child<QMenu>(form, "popFile")->aboutToShow();
    QVERIFY(Child<QAction>(form, "Unzip1")->isEnabled());
    QVERIFY(f.Click("Zelda", kRomFile));
    emit Child<QMenu>(form, "popFile")->aboutToShow();
    QVERIFY(!Child<QAction>(form, "Unzip1")->isEnabled());
    QVERIFY(f.Click(".."));
    emit Child<QMenu>(form, "popFile")->aboutToShow();
    QVERIFY(!Child<QAction>(form, "Unzip1")->isEnabled());
  }

  void listShortcutsActOnlyWhileTheListHasTheFocus() {
    FormFixture f;
    TMainForm& form = f.Start();
    QSignalSpy verify(Child<QAction>(form, "mnuVerify"), &QAction::triggered);
    QSignalSpy archive(Child<QAction>(form, "Archivescreenshot1"), &QAction::triggered);
    Child<QListView>(form, "ListView")->setFocus();
    QTRY_VERIFY(Child<QListView>(form, "ListView")->hasFocus());
    QTest::keyClick(Child<QListView>(form, "ListView"), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Child<QListView>(form, "ListView"), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(verify.count(), 1);
    QCOMPARE(archive.count(), 1);
    Child<QCheckBox>(form, "chkNTSC")->setFocus();
    QTRY_VERIFY(Child<QCheckBox>(form, "chkNTSC")->hasFocus());
    QTest::keyClick(Child<QCheckBox>(form, "chkNTSC"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(verify.count(), 1);
  }

  void namesThatAreNotUtf8AreListedSelectedAndDeleted() {
    FormFixture f;
    const std::string name = "Caf\xE9 \xFF.smc";
    WriteTestFile(f.romDir / name, "x");
    TMainForm& form = f.Start();
    QVERIFY(f.ClickRow(f.FileRow(name)));
    QCOMPARE(f.context.selectedRomFile, name);
    Child<QAction>(form, "mnuDelete")->trigger();
    QVERIFY(!kivo::platform::FileExists(f.romDir / name));
  }
};

QTEST_MAIN(RomListTest)
#include "rom_list_test.moc"
