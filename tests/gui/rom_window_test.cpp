// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// "Verify checksum" and "Info" in the real window, on plain, damaged, short, zipped and unreadable
// images: the box each shows, its caption and icon, and the error report for a file that cannot be
// read.
#include <QAction>
#include <QFile>
#include <QListView>
#include <QTest>
#include <string>

#include "browser/list_entry.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "platform/files.h"
#include "support/rom_builder.h"
#include "support/zip_builder.h"

namespace {

// An 8-Mbit image with a valid header at 0x7FC0; `checksumError` makes its header's checksum wrong.
std::string Image(int checksumError = 0, bool copierHeader = false) {
  SnesRomSpec desc;
  desc.checksumError = checksumError;
  desc.copierHeader = copierHeader;
  return BuildSnesRom(desc);
}

std::uint16_t TrueChecksum() { return SnesChecksumOf(Image()); }

struct RomWindowFixture : FormFixture {
  std::string Rom(const std::string& name) const { return romDir / name; }

  // Selects the entry by a click, then presses Ctrl+V in the list; the box it showed.
  FakeDialogs::Shown Verify(const QString& caption, int kind = -1) {
    if (!Click(caption, kind)) return {"<not listed>", {}, {}};
    Child<QListView>(*form, "ListView")->setFocus();
    if (!QTest::qWaitFor([this] { return Child<QListView>(*form, "ListView")->hasFocus(); }))
      return {"<no focus>", {}, {}};
    const size_t before = dialogs.messages.size();
    QTest::keyClick(Child<QListView>(*form, "ListView"), Qt::Key_V, Qt::ControlModifier);
    if (dialogs.messages.size() != before + 1)
      return {"<" + QString::number(dialogs.messages.size() - before) + " boxes>", {}, {}};
    return dialogs.messages.back();
  }
  // Selects the entry by a click, then runs "Info" from the File menu.
  FakeDialogs::Shown Info(const QString& caption, int kind = -1) {
    if (!Click(caption, kind)) return {"<not listed>", {}, {}};
    const size_t before = dialogs.messages.size();
    Child<QAction>(*form, "mnuInfo")->trigger();
    if (dialogs.messages.size() != before + 1)
      return {"<" + QString::number(dialogs.messages.size() - before) + " boxes>", {}, {}};
    return dialogs.messages.back();
  }
};

}  // namespace

class RomWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void verifyShowsTheChecksumVerdict() {
    RomWindowFixture f;
    const std::uint16_t sum = TrueChecksum();
    QVERIFY(sum >= 4 && sum < 65536 - 4);  // so that the damaged header's checksum does not wrap
    WriteTestFile(f.Rom("Good.smc"), Image());
    WriteTestFile(f.Rom("Copier.fig"), Image(0, true));
    WriteTestFile(f.Rom("Bad.sfc"), Image(4));
    WriteTestFile(f.Rom("Short.smc"), Image().substr(0, 131071));
    WriteZip(f.Rom("Zipped.zip"), {ZipFile("README.TXT", "read me"), ZipFile("GOOD.SMC", Image(), true)});
    WriteZip(f.Rom("NoRom.zip"), {ZipFile("GAME.BIN", Image())});
    f.Start();

    const QString ok = "CheckSUM: OK " + QString::number(sum);
    struct Case {
      const char* caption;
      int kind;
      QString text;
    };
    const Case cases[] = {
        {"Good", kRomFile, ok},
        {"Copier", kRomFile, "CheckSUM: OK " + QString::number(SnesChecksumOf(Image(0, true).substr(512)))},
        {"Bad", kRomFile, QString("CheckSUM: BAD (ROM=%1/ CALC=%2 -4)").arg(sum + 4).arg(sum)},
        {"Short", kRomFile, "Failed !"},
        {"Zipped", kZipArchive, ok},
        {"NoRom", kZipArchive, "Failed !"},
    };
    for (const Case& c : cases) {
      const FakeDialogs::Shown box = f.Verify(c.caption, c.kind);
      QVERIFY2(box.text == c.text, qPrintable(QString(c.caption) + ": " + box.text));
      QCOMPARE(box.caption, QString("Checksum"));
      QCOMPARE(box.icon, Dialogs::Icon::None);
    }
    QVERIFY(f.dialogs.Errors().empty());

    // With a folder selected there is no game to check or report on, whatever was selected before.
    QCOMPARE(f.Verify(".."), (FakeDialogs::Shown{"<0 boxes>", {}, {}}));
    QCOMPARE(f.Info(".."), (FakeDialogs::Shown{"<0 boxes>", {}, {}}));
  }

  void infoShowsTheReport() {
    RomWindowFixture f;
    WriteTestFile(f.Rom("Good.smc"), Image());
    WriteTestFile(f.Rom("Copier.fig"), Image(0, true));
    WriteZip(f.Rom("Zipped.zip"), {ZipFile("GOOD.SMC", Image())});
    WriteZip(f.Rom("NoRom.zip"), {ZipFile("GAME.BIN", Image())});
    f.Start();

    struct Case {
      const char* caption;
      int kind;
      const char* head;  // the report's first lines
      const char* tail;  // its last line, without line end
    };
    const Case cases[] = {
        {"Good", kRomFile, "Title: KIVO TEST CARTRIDGE \nCopier Header: None\nInformation Offset: 32704\nMakeup: 32 - ",
         "\nReal Size: 1048576 Bytes = 8 MBit"},
        {"Copier", kRomFile, "Title: KIVO TEST CARTRIDGE \nCopier Header: Present\nInformation Offset: 33216\n",
         "\nReal Size: 1049088 Bytes = 8 MBit"},
        {"Zipped", kZipArchive, "Title: KIVO TEST CARTRIDGE \nCopier Header: None\n",
         "\nReal Size: 1048576 Bytes = 8 MBit"},
        // No ROM in the archive: an empty image, whose all-zero title ends the text at once.
        {"NoRom", kZipArchive, "Title: ", "Title: "},
    };
    for (const Case& c : cases) {
      const FakeDialogs::Shown box = f.Info(c.caption, c.kind);
      QVERIFY2(box.text.startsWith(c.head) && box.text.endsWith(c.tail),
               qPrintable(QString(c.caption) + ": " + box.text));
      QCOMPARE(box.caption, QString("ROM Info"));
      QCOMPARE(box.icon, Dialogs::Icon::None);
    }
    QCOMPARE(f.dialogs.messages.front().text.count('\n'), 13);  // fourteen lines: no save-RAM line
    QVERIFY(f.dialogs.Errors().empty());
  }

  // A listed file whose read fails (a process's memory file: regular, openable, yet unreadable from
  // its start even as root) ends either command with the application's error report; the window
  // goes on and the next command works.
  void unreadableFileGivesTheErrorReport() {
    if (!platform::FileExists("/proc/self/mem")) QSKIP("no /proc/self/mem here");
    RomWindowFixture f;
    QVERIFY(QFile::link("/proc/self/mem", QString::fromStdString(f.Rom("Broken.smc"))));
    WriteTestFile(f.Rom("Good.smc"), Image());
    f.Start();
    const QString report = QString::fromStdString("Cannot read file " + f.Rom("Broken.smc") + ".");

    for (const FakeDialogs::Shown& box : {f.Verify("Broken"), f.Info("Broken")}) {
      QCOMPARE(box.text, report);
      QCOMPARE(box.caption, QString("KIVO"));
      QCOMPARE(box.icon, Dialogs::Icon::Stop);
    }
    QCOMPARE(f.dialogs.Errors().size(), size_t(2));
    QCOMPARE(f.Verify("Good").text, "CheckSUM: OK " + QString::number(TrueChecksum()));
  }
};

QTEST_MAIN(RomWindowTest)
#include "rom_window_test.moc"
