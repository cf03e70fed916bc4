// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The zip cache in the real window: a zipped game launched through the fake emulator, its cache
// reused by the next launch and by the next run, the Setup tab's limit row, and the Unzip command.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <vector>

#include "browser/list_entry.h"
#include "gui/support/emulator_fixture.h"
#include "gui/support/find_child.h"
#include "platform/files.h"
#include "support/zip_builder.h"
#include "zipcache/zip_cache.h"

using namespace kivo::app;
using namespace kivo::browser;

namespace {

using Lines = std::vector<std::string>;

// The folders the cache made for its extractions (one per extraction).
QStringList CacheFolders(const std::string& cacheFolder) {
  return QDir(QString::fromStdString(cacheFolder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// The window with the fake emulator installed, and the zip cache's own views.
struct CacheFixture : EmulatorFixture {
  using EmulatorFixture::EmulatorFixture;

  std::string CacheFolder() const { return appDir / "zipcache"; }
  std::string TableFile() const { return CacheFolder() + "/cache.tbl"; }
  // Launches the list entry by a double click and returns the ROM path the emulator was given.
  std::string Launch(const QString& caption) {
    const size_t before = CountStarts();
    if (!DoubleClick(caption, kZipArchive)) return "<not listed>";
    if (!QTest::qWaitFor([&] { return CountStarts() > before; }, kStartTimeoutMs)) return "<not started>";
    const FakeStart start = Log().starts.back();
    if (start.cwd != emu.Path()) return "<started in " + start.cwd + ">";
    return start.args.empty() ? "<no arguments>" : start.args.front();
  }
  void ClickArrow(const char* name) {
    auto* arrow = Child<UpDown>(*form, "UpDownCache")->findChild<QToolButton*>(name);
    QVERIFY2(arrow != nullptr, name);
    QTest::mouseClick(arrow, Qt::LeftButton);
  }
};

}  // namespace

class ZipCacheWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The emulator gets the ROM unpacked into the cache; the second launch finds it there (the cached
  // file itself, marked here, is launched rather than a fresh copy). Closing the window writes the
  // table, and the next run launches from the cache without extracting again.
  void launchUsesTheCachedRomAndTheNextRunToo() {
    CacheFixture f;
    WriteZip(f.Rom("Zelda.zip"), {ZipFile("README.TXT", "read me"), ZipFile("ZELDA.SMC", "zelda", true)});
    TMainForm& form = f.Start();

    const std::string cached = f.CacheFolder() + "/Zelda-1/ZELDA.SMC";
    QCOMPARE(f.Launch("Zelda"), cached);
    QCOMPARE(ReadTestFile(cached), std::string("zelda"));
    const Lines table = {f.Rom("Zelda.zip"), f.CacheFolder() + "/Zelda-1/README.TXT", cached, "?end?"};
    QCOMPARE(form.ZipCache()->CacheTable(), table);
    WriteTestFile(cached, "marked");
    QCOMPARE(f.Launch("Zelda"), cached);
    QCOMPARE(ReadTestFile(cached), std::string("marked"));
    f.Close();
    QVERIFY(kivo::platform::FileExists(f.TableFile()));

    f.form.reset();
    f.context.settingsFile = std::make_unique<SettingsFile>(f.IniPath());
    TMainForm& again = f.Start();
    QCOMPARE(again.ZipCache()->CacheTable(), table);
    QCOMPARE(f.Launch("Zelda"), cached);
    QCOMPARE(ReadTestFile(cached), std::string("marked"));
    QCOMPARE(CacheFolders(f.CacheFolder()), QStringList({"Zelda-1"}));
    QVERIFY(f.dialogs.messages.empty());
  }

  // The arrows change only the number shown and enable "Apply"; "Apply" stores the number, sets the
  // limit (evicting the oldest games at once when it went down) and disables itself.
  void arrowsShowAndApplyStoresAndEvicts() {
    CacheFixture f("CacheSize=3\n");
    TMainForm& form = f.Start();
    auto* shown = Child<QLineEdit>(form, "EditCacheSize");
    auto* apply = Child<QPushButton>(form, "btnCache");
    QCOMPARE(shown->text(), QString("3"));
    QVERIFY(!apply->isEnabled() && shown->isReadOnly());
    std::vector<std::string> roms;
    for (const std::string name : {"A", "B", "C"}) {
      WriteZip(f.Rom(name + ".zip"), {ZipFile(name + ".SFC", name)});
      roms.push_back(form.ZipCache()->GetRomFile(f.Rom(name + ".zip")));
    }

    // The arrows change the number shown and enable Apply; nothing is stored or evicted yet.
    for (const auto& [arrow, number] : {std::pair{"up", "4"}, std::pair{"down", "3"}, std::pair{"down", "2"}}) {
      f.ClickArrow(arrow);
      QCOMPARE(shown->text(), QString(number));
      QVERIFY(apply->isEnabled());
    }
    QCOMPARE(f.IniValue("General", "CacheSize"), std::string("3"));
    QCOMPARE(form.ZipCache()->CountGroups(), 3);

    // Apply stores the number and lowers the limit: the oldest game goes at once.
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(!apply->isEnabled());
    QCOMPARE(f.IniValue("General", "CacheSize"), std::string("2"));
    QCOMPARE(form.ZipCache()->CacheLimit(), 2);
    QVERIFY(!kivo::platform::FileExists(roms[0]) && kivo::platform::FileExists(roms[2]));

    // The lowest value does not wrap: another "down" changes nothing and leaves Apply disabled.
    f.ClickArrow("down");
    QCOMPARE(shown->text(), QString("2"));
    QVERIFY(!apply->isEnabled());
    QVERIFY(f.dialogs.messages.empty());
  }

  // The row shows a stored number above the control's range as its highest value, which does not
  // wrap; the cache takes the stored number as it is.
  void storedLimitAboveTheRange() {
    CacheFixture f("CacheSize=150\n");
    TMainForm& form = f.Start();
    QCOMPARE(Child<QLineEdit>(form, "EditCacheSize")->text(), QString("100"));
    QCOMPARE(form.ZipCache()->CacheLimit(), 150);
    f.ClickArrow("up");
    QCOMPARE(Child<QLineEdit>(form, "EditCacheSize")->text(), QString("100"));
    QVERIFY(!Child<QPushButton>(form, "btnCache")->isEnabled());
  }

  // "Unzip" unpacks the selected archive into the folder shown, replacing files and recreating its
  // folders, refuses a member that would land outside, leaves the cache alone and lists the result.
  void unzipUnpacksNextToItselfAndRefreshesTheList() {
    CacheFixture f;
    const std::string escape = "escape-" + QFileInfo(QString::fromStdString(f.romDir.Path())).fileName().toStdString();
    WriteTestFile(f.Rom("GAME.SFC"), "old");
    WriteZip(f.Rom("Pack.zip"), {ZipFile("GAME.SFC", "new"), ZipFile("Extra.smc", "extra", true), ZipFolder("docs/"),
                                 ZipFile("docs/INFO.TXT", "info"), ZipFile("../" + escape + ".smc", "out")});
    TMainForm& form = f.Start();
    QCOMPARE(f.Row("Extra"), -1);
    QCOMPARE(f.Row("docs", kFolder), -1);

    QVERIFY(f.Click("Pack", kZipArchive));
    emit Child<QMenu>(form, "popFile")->aboutToShow();
    QVERIFY(Child<QAction>(form, "Unzip1")->isEnabled());
    Child<QAction>(form, "Unzip1")->trigger();

    QCOMPARE(ReadTestFile(f.Rom("GAME.SFC")), std::string("new"));
    QCOMPARE(ReadTestFile(f.Rom("Extra.smc")), std::string("extra"));
    QCOMPARE(ReadTestFile(f.Rom("docs/INFO.TXT")), std::string("info"));
    QVERIFY(!kivo::platform::FileExists(f.romDir.Path() + "/../" + escape + ".smc"));
    QVERIFY(f.Row("Extra", kRomFile) >= 0);
    QVERIFY(f.Row("docs", kFolder) >= 0);
    QVERIFY(f.Row("GAME", kRomFile) >= 0);
    QVERIFY(form.ZipCache()->CacheTable().empty());
    QVERIFY(CacheFolders(f.CacheFolder()).isEmpty());
    QVERIFY(f.dialogs.messages.empty());
  }
};

QTEST_MAIN(ZipCacheWindowTest)
#include "zip_cache_window_test.moc"
