// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// "Verify checksum" and "Info" in the real window: the box each shows for the selected game, and
// the error report for a file that cannot be read.
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

using namespace kivo::app;
using namespace kivo::browser;

namespace {

// An 8-Mbit image with a valid header at 0x7FC0; `checksumError` makes its header's checksum wrong.
std::string Image(int checksumError = 0) {
  SnesRomSpec desc;
  desc.checksumError = checksumError;
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
  // Ctrl+V in the list and Info in the File menu show their box for the selected game, an archive's
  // through the window's cache; with a folder selected there is no game, whatever was selected
  // before. The texts themselves are the ROM tests' own.
  void verifyAndInfoActOnTheSelectedGame() {
    RomWindowFixture f;
    WriteTestFile(f.Rom("Good.smc"), Image());
    WriteTestFile(f.Rom("Bad.sfc"), Image(4));
    WriteZip(f.Rom("Zipped.zip"), {ZipFile("README.TXT", "read me"), ZipFile("GOOD.SMC", Image(), true)});
    f.Start();

    const QString ok = "CheckSUM: OK " + QString::number(TrueChecksum());
    for (const auto& [caption, kind] : {std::pair{"Good", kRomFile}, std::pair{"Zipped", kZipArchive}}) {
      const FakeDialogs::Shown verify = f.Verify(caption, kind);
      QCOMPARE(verify.text, ok);
      QCOMPARE(verify.caption, QString("Checksum"));
      QCOMPARE(verify.icon, Dialogs::Icon::None);
      const FakeDialogs::Shown info = f.Info(caption, kind);
      QVERIFY2(info.text.startsWith("Title: KIVO TEST CARTRIDGE \nCopier Header: None\n"), qPrintable(info.text));
      QCOMPARE(info.caption, QString("ROM Info"));
    }
    QVERIFY(f.Verify("Bad").text.startsWith("CheckSUM: BAD"));
    QVERIFY(f.dialogs.Errors().empty());

    QCOMPARE(f.Verify(".."), (FakeDialogs::Shown{"<0 boxes>", {}, {}}));
    QCOMPARE(f.Info(".."), (FakeDialogs::Shown{"<0 boxes>", {}, {}}));
  }

  // A listed file whose read fails (a process's memory file: regular, openable, yet unreadable from
  // its start even as root) ends either command with the application's error report; the window
  // goes on and the next command works.
  void unreadableFileGivesTheErrorReport() {
    if (!kivo::platform::FileExists("/proc/self/mem")) QSKIP("no /proc/self/mem here");
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
    QCOMPARE(f.Verify("Good").text, "CheckSUM: OK " + QString::number(TrueChecksum()));
  }
};

QTEST_MAIN(RomWindowTest)
#include "rom_window_test.moc"
