// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The main window: its start and close, the folder pickers, Help, and the ROM list's File menu.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "browser/list_entry.h"
#include "common/path.h"
#include "gui/support/form_fixture.h"
#include "platform/files.h"
#include "support/rom_builder.h"
#include "support/zip_builder.h"

using namespace kivo::app;
using namespace kivo::browser;
using namespace kivo::platform;

// The first drive the window lists: the root, or on Windows drive C:.
#ifdef _WIN32
constexpr const char* kFirstDrive = "C:\\";
#else
constexpr const char* kFirstDrive = "/";
#endif

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The first start asks once for the emulator's folder, naming both builds. A cancelled picker
  // stores the edit's text again, even over a change made to the file meanwhile.
  void setupPickersStoreTheChosenFolder() {
    FormFixture f;
    DeleteFile(f.IniPath());
    TMainForm& form = f.Start();
    QTRY_COMPARE(f.dialogs.pickerTitles.size(), size_t(1));
    QCOMPARE(f.dialogs.messages.front().caption + ": " + f.dialogs.messages.front().text,
             QString("Message: Since this is the first time\nyou run this program you should\nset the path to ZSNES "
                     "in the setup:\nthe folder of zsnes (the Linux build)\nor of ZSNES.EXE (the DOS build)."));
    QCOMPARE(f.IniValue("General", "Run first"), std::string("0"));

    f.dialogs.pickerAnswers.push_back(std::string("/picked"));
    Child<QAbstractButton>(form, "cmdBrowseMedia")->click();
    QCOMPARE(f.dialogs.pickerTitles,
             (std::vector<QString>{"Location of zsnes or ZSNES.EXE", "Location for Media files"}));
    QCOMPARE(Child<QLineEdit>(form, "txtDirMedia")->text(), QString("/picked"));
    SettingsFile(f.IniPath()).WriteString("General", "MediaPath", "edited");
    Child<QAbstractButton>(form, "cmdBrowseMedia")->click();
    QCOMPARE(f.IniValue("General", "MediaPath"), std::string("/picked"));
  }

  // What closing stores the next start restores (a folder that is gone leaves the current one, a
  // size below the minimum is raised); a refused write on closing is reported, and the window ends.
  void closeStoresWhatTheNextStartRestores() {
    FormFixture f;
    MakeTestDir(f.romDir / "games");
    TMainForm& form = f.Start();
    QVERIFY(f.DoubleClick("games"));
    form.move(120, 90);
    form.resize(600, 560);
    f.Close();
    FormFixture g;
    g.SetIni(f.Ini());
    TMainForm& second = g.Start();
    QCOMPARE(QRect(second.pos(), second.size()), QRect(120, 90, 600, 560));
    QCOMPARE(GetCurrentDir(), f.romDir / "games");
    second.showMaximized();
    QTRY_VERIFY(second.isMaximized() && second.width() > 600);
    g.Close();

    FormFixture h;
    SettingsFile(g.IniPath()).WriteString("General", "ROMDirectory", "/no/such/folder");
    SettingsFile(g.IniPath()).WriteString("Size", "FormWidth", "100");  // below the window's minimum
    h.SetIni(g.Ini());
    SetCurrentDir(h.romDir.Path());
    TMainForm& third = h.Start();
    QCOMPARE(GetCurrentDir(), h.romDir.Path());
    QTRY_VERIFY(third.isMaximized());
    third.showNormal();
    QTRY_COMPARE(QRect(third.pos(), third.size()), QRect(120, 90, 450, 560));
    SetWriteFaultForTesting([&](const std::string& path) { return path == h.IniPath(); });
    QVERIFY(third.close());
    SetWriteFaultForTesting({});
    QCOMPARE(h.dialogs.Errors(),
             std::vector<QString>{QString::fromStdString("Unable to write to " + h.IniPath() + ".")});
    QVERIFY(!third.isVisible() && !h.context.settingsFile);
  }

  // A missing help document, or a page the desktop cannot open, is reported, not ignored.
  void helpCommandsHandTheRightTargetsToTheDesktop() {
    FormFixture f;
    WriteTestFile(f.appDir / "KIVO - Manual.txt", "manual");
    TMainForm& form = f.Start();
    SettingsFile(f.IniPath()).WriteString("General", "ZSNESPath", f.romDir.Path());
    for (const char* item : {"KIVOReadme1", "ZSNESReadme1", "KIVOHomepage1", "MailAuthot1"})
      Child<QAction>(form, item)->trigger();
    f.dialogs.openSucceeds = false;
    Child<QAction>(form, "ZSNESHomepage1")->trigger();
    QCOMPARE(f.dialogs.opened, (std::vector<std::string>{f.appDir / "KIVO - Manual.txt", "https://kivo.example.org/",
                                                         "mailto:kivo-team@example.org", "https://www.zsnes.com/"}));
    QCOMPARE(f.dialogs.Errors(),
             (std::vector<QString>{QString::fromStdString("Cannot open file " + (f.romDir / "Readme.txt") + "."),
                                   "No program could open https://www.zsnes.com/."}));
    Child<QAction>(form, "mnuAbout")->trigger();
    QVERIFY(f.dialogs.messages.back().text.startsWith("KIVO 0.991 4/10/1999\n"));
  }

  // A folder selected keeps the file remembered. An Enter pressed elsewhere (closing a message box)
  // and released over the list opens nothing. The list's shortcuts act only while it has the focus.
  void clicksAndKeysSelectAndOpen() {
    FormFixture f;
    MakeTestDir(f.romDir / "inner");
    WriteTestFile(f.romDir / "A.smc", "x");
    WriteTestFile(f.romDir / "B.sfc", "x");
    TMainForm& form = f.Start();
    auto* list = Child<QListView>(form, "ListView");
    QVERIFY(f.Click("A"));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(f.context.selectedRomFile, std::string("B.sfc"));
    QVERIFY(f.Click("inner"));
    QTest::keyRelease(list, Qt::Key_Return);
    QCOMPARE(GetCurrentDir(), f.romDir.Path());
    QCOMPARE(f.context.selectedRomFile, std::string("B.sfc"));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(Child<QLabel>(form, "StatusPanels2")->text(), QString::fromStdString(f.romDir / "inner"));
    QVERIFY(f.DoubleClick(kFirstDrive, kDrive));
    QCOMPARE(GetCurrentDir(), std::string(kFirstDrive));

    QSignalSpy verify(Child<QAction>(form, "mnuVerify"), &QAction::triggered);
    QSignalSpy archive(Child<QAction>(form, "Archivescreenshot1"), &QAction::triggered);
    for (QWidget* widget : {static_cast<QWidget*>(list), Child<QWidget>(form, "chkNTSC")}) {
      widget->setFocus();
      QTRY_VERIFY(widget->hasFocus());
      QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
      QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    }
    QCOMPARE(verify.count(), 1);
    QCOMPARE(archive.count(), 1);
  }

  // The File menu acts on the entry selected, never on a folder nor on a file selected before; an
  // archive's game is read through the cache. A process's memory file (regular, yet unreadable from
  // its start) gives the error report.
  void fileMenuActsOnTheEntrySelected() {
    FormFixture f;
    const std::string image = BuildSnesRom({});
    const std::string odd = "Caf\xE9 \xFF";
    WriteTestFile(f.romDir / "Good.smc", image);
    WriteTestFile(f.romDir / (odd + ".smc"), image);
    WriteZip(f.romDir / "Zipped.zip", {ZipFile("README.TXT", "read me"), ZipFile("ZIPPED.SMC", image, true)});
#ifdef _WIN32
    // Windows has no file that every read refuses (and a link there is a shortcut file): the
    // platform's seam refuses it.
    WriteTestFile(f.romDir / "Broken.smc", image);
    SetReadFaultForTesting([](const std::string& path) { return path.ends_with("Broken.smc"); });
#else
    QVERIFY(QFile::link("/proc/self/mem", QString::fromStdString(f.romDir / "Broken.smc")));
#endif
    TMainForm& form = f.Start();
    auto box = [&](const char* command) {
      const size_t before = f.dialogs.messages.size();
      Child<QAction>(form, command)->trigger();
      if (f.dialogs.messages.size() == before) return QString("<none>");
      return f.dialogs.messages.back().caption + ": " + f.dialogs.messages.back().text;
    };
    auto unzipOffered = [&] {
      emit Child<QMenu>(form, "popFile")->aboutToShow();
      return Child<QAction>(form, "Unzip1")->isEnabled();
    };
    QVERIFY(!unzipOffered());
    for (const auto& [caption, kind] : {std::pair{"Good", kRomFile}, std::pair{"Zipped", kZipArchive}}) {
      QVERIFY(f.Click(caption, kind));
      QCOMPARE(box("mnuVerify"), "Checksum: CheckSUM: OK " + QString::number(SnesChecksumOf(image)));
      QVERIFY(box("mnuInfo").startsWith("ROM Info: Title: KIVO TEST CARTRIDGE \nCopier Header: None\n"));
      QCOMPARE(unzipOffered(), kind == kZipArchive);
    }
    Child<QAction>(form, "Unzip1")->trigger();
    // Beside its archive the unpacked ROM shows its extension: the two captions read alike.
    QVERIFY(f.Row("ZIPPED.SMC", kRomFile) >= 0);
    QVERIFY(f.Click("Broken"));
    QCOMPARE(box("mnuInfo"), QString::fromStdString("KIVO: Cannot read file " +
                                                    kivo::common::NativeSeparators(f.romDir / "Broken.smc") + "."));
    SetReadFaultForTesting({});

    QVERIFY(f.Click(kivo::widgets::FromBytes(odd)) && f.Click(".."));
    for (const char* command : {"mnuVerify", "mnuInfo", "mnuDelete"}) QCOMPARE(box(command), QString("<none>"));
    QVERIFY(f.Click(kivo::widgets::FromBytes(odd)));
    f.dialogs.confirmAnswer = false;
    QCOMPARE(box("mnuDelete"),
             "Confirm file delete: Really delete this file?\n" + kivo::widgets::FromBytes(odd + ".smc"));
    QVERIFY(FileExists(f.romDir / (odd + ".smc")));
    f.dialogs.confirmAnswer = true;
    Child<QAction>(form, "mnuDelete")->trigger();
    QVERIFY(!FileExists(f.romDir / (odd + ".smc")) && FileExists(f.romDir / "Good.smc"));
    QCOMPARE(f.Row(kivo::widgets::FromBytes(odd)), -1);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
