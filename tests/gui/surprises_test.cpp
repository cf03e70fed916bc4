// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What a new user of the window expects and once did not get: Toggle Config keeping the game in
// hand, Verify and Unzip saying what happened, Delete naming its file, folders typed on the Setup
// tab, a window stored off every screen, F1 and Help on a desktop that cannot open documents, and a
// tooltip on every small button.
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "browser/list_entry.h"
#include "common/path.h"
#include "gui/support/emulator_fixture.h"
#include "gui/support/form_fixture.h"
#include "platform/files.h"
#include "support/rom_builder.h"
#include "support/scoped_env.h"
#include "support/zip_builder.h"

using namespace kivo::app;
using namespace kivo::browser;
using namespace kivo::platform;
using Default = kivo::widgets::Dialogs::Default;

namespace {

// The caption of the line selected in the ROM list, or "<none>".
QString SelectedCaption(TMainForm& form) {
  const QModelIndexList selected = Child<QListView>(form, "ListView")->selectionModel()->selectedRows();
  return selected.size() == 1 ? selected.front().data().toString() : QString("<none>");
}

QString StatusConfiguration(TMainForm& form) { return Child<QLabel>(form, "StatusPanels0")->text(); }

// The last box shown, as "caption: text", or "<none>" when the command showed none.
QString BoxOf(FormFixture& f, const char* command) {
  const size_t before = f.dialogs.messages.size();
  Child<QAction>(*f.form, command)->trigger();
  if (f.dialogs.messages.size() == before) return "<none>";
  return f.dialogs.messages.back().caption + ": " + f.dialogs.messages.back().text;
}

// Types `text` over the folder field's contents and leaves the field as the user would: by Enter,
// or by moving to the list.
void TypeFolder(TMainForm& form, const char* field, const QString& text, bool byEnter) {
  auto* edit = Child<QLineEdit>(form, field);
  edit->setFocus();
  if (!QTest::qWaitFor([edit] { return edit->hasFocus(); })) qWarning("%s took no focus", field);
  edit->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(edit, text);
  }
  if (byEnter) {
    QTest::keyClick(edit, Qt::Key_Return);
  } else {
    Child<QWidget>(form, "ListView")->setFocus();
  }
}

}  // namespace

class SurprisesTest : public QObject {
  Q_OBJECT

 private slots:
  // After Toggle Config the game stays selected, shown in the configuration now in force for it, so
  // the next change goes to the game and not to every game. Its own flag decides, also when the
  // panel shows "Default" for a game another program gave a configuration meanwhile.
  void toggleConfigKeepsTheGameInHand() {
    FormFixture f;
    WriteTestFile(f.romDir / "Mario.smc", "x");
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Zelda"));
    Child<QAction>(form, "mnuToggleConfig")->trigger();
    QCOMPARE(f.IniValue("Configs", "Zelda"), std::string("1"));
    QCOMPARE(SelectedCaption(form), QString("Zelda"));
    QCOMPARE(StatusConfiguration(form), QString("Zelda"));
    QCOMPARE(f.context.selectedRomFile, std::string("Zelda.smc"));
    Child<QCheckBox>(form, "chkNTSC")->click();
    QCOMPARE(f.IniValue("Zelda", "NTSC"), std::string("1"));
    QCOMPARE(f.IniValue("Default", "NTSC"), std::string("<missing>"));

    Child<QAction>(form, "mnuToggleConfig")->trigger();
    QCOMPARE(f.IniValue("Configs", "Zelda"), std::string("0"));
    QCOMPARE(SelectedCaption(form), QString("Zelda"));
    QCOMPARE(StatusConfiguration(form), QString("Default"));
    QVERIFY(!Child<QCheckBox>(form, "chkNTSC")->isChecked());

    QVERIFY(f.Click("Mario"));
    SettingsFile(f.IniPath()).WriteBool("Configs", "Mario", true);
    QCOMPARE(StatusConfiguration(form), QString("Default"));
    Child<QAction>(form, "mnuToggleConfig")->trigger();
    QCOMPARE(f.IniValue("Configs", "Mario"), std::string("0"));
    QCOMPARE(SelectedCaption(form), QString("Mario"));
  }

  // "Failed !" says why on its next line, in the words kivo-tool verify uses.
  void verifySaysWhyItFailed() {
    FormFixture f;
    WriteTestFile(f.romDir / "Gone.smc", BuildSnesRom({}));
    WriteTestFile(f.romDir / "Short.smc", std::string(1000, 'x'));
    WriteTestFile(f.romDir / "Damaged.zip", "PK\x03\x04 not an archive");
    f.Start();
    QVERIFY(f.Click("Gone"));
    QVERIFY(DeleteFile(f.romDir / "Gone.smc"));
    QCOMPARE(BoxOf(f, "mnuVerify"), QString("Checksum: Failed !\nfile not found"));
    QVERIFY(f.Click("Damaged"));
    QCOMPARE(BoxOf(f, "mnuVerify"), QString("Checksum: Failed !\nno ROM file in the archive"));
    QVERIFY(f.Click("Short"));
    QCOMPARE(BoxOf(f, "mnuVerify"), QString("Checksum: Failed !\nimage shorter than 1 Mbit: 1000 bytes"));
    QVERIFY(f.dialogs.Errors().empty());
  }

  // Delete names the file it asks about, with Cancel for Enter; a deletion the system refuses is
  // said, and the file stays listed.
  void deleteNamesTheFileAndSaysWhenItCannot() {
    FormFixture f;
    WriteTestFile(f.romDir / "Keep.smc", "x");
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Keep"));
    f.dialogs.confirmAnswer = false;
    QCOMPARE(BoxOf(f, "mnuDelete"), QString("Confirm file delete: Really delete this file?\nKeep.smc"));
    QCOMPARE(f.dialogs.messages.back().confirmDefault, std::optional<Default>(Default::Cancel));
    QVERIFY(FileExists(f.romDir / "Keep.smc"));

    f.dialogs.confirmAnswer = true;
    SetDeleteFaultForTesting([](const std::string& path) { return path.ends_with("Keep.smc"); });
    Child<QAction>(form, "mnuDelete")->trigger();
    SetDeleteFaultForTesting({});
    QCOMPARE(f.dialogs.Errors(),
             std::vector<QString>{QString::fromStdString("Cannot delete file " + (f.romDir / "Keep.smc") + ".")});
    QVERIFY(FileExists(f.romDir / "Keep.smc") && f.Row("Keep") >= 0);
  }

  // Unzip names the files it wrote next to the archive and selects the game among them; an archive
  // that yields nothing says so.
  void unzipSaysWhatItUnpackedAndSelectsIt() {
    FormFixture f;
    const std::string image = BuildSnesRom({});
    WriteZip(f.romDir / "Pack.zip",
             {ZipFile("README.TXT", "read me"), ZipFile("docs/MAP.TXT", "map"), ZipFile("GAME.SMC", image, true)});
    WriteTestFile(f.romDir / "Damaged.zip", "PK\x03\x04 not an archive");
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Pack"));
    const std::string map = std::string("docs") + kivo::common::kPathSeparator + "MAP.TXT";
    QCOMPARE(BoxOf(f, "Unzip1"),
             QString::fromStdString("Unzip: Unpacked from Pack.zip:\nREADME.TXT\n" + map + "\nGAME.SMC"));
    QCOMPARE(SelectedCaption(form), QString("GAME"));
    QCOMPARE(f.context.selectedRomFile, std::string("GAME.SMC"));
    QCOMPARE(BoxOf(f, "mnuVerify"), "Checksum: CheckSUM: OK " + QString::number(SnesChecksumOf(image)));

    QVERIFY(f.Click("Damaged"));
    QCOMPARE(BoxOf(f, "Unzip1"), QString("KIVO: Nothing could be unpacked from Damaged.zip."));
  }

  // A folder typed or pasted is checked when the field is left: one that is not there is said and
  // not stored; a ZSNES folder without the emulator is stored and said at once; a folder with it
  // changes the panel to its build, as the picker's choice does. An empty field stays allowed.
  void typedFoldersAreCheckedWhenTheFieldIsLeft() {
    EmulatorFixture f("MediaPath=/\nSavegamePath=/\n", false);
    MakeTestDir(f.romDir / "shots");
    TMainForm& form = f.Start();
    auto* media = Child<QLineEdit>(form, "txtDirMedia");
    const std::string missing = f.romDir / "no such folder";
    TypeFolder(form, "txtDirMedia", QString::fromStdString(missing), false);
    QCOMPARE(f.dialogs.Errors(),
             std::vector<QString>{QString::fromStdString("The folder " + missing + " does not exist.")});
    QCOMPARE(media->text(), QString("/"));
    QCOMPARE(f.IniValue("General", "MediaPath"), std::string("/"));

    QGuiApplication::clipboard()->setText(QString::fromStdString(f.romDir / "shots"));
    media->setFocus();
    media->selectAll();
    media->paste();
    QTest::keyClick(media, Qt::Key_Return);
    QCOMPARE(f.IniValue("General", "MediaPath"), f.romDir / "shots");
    TypeFolder(form, "txtDirSavegame", "", true);
    QCOMPARE(f.IniValue("General", "SavegamePath"), std::string(""));
    QCOMPARE(f.dialogs.Errors().size(), size_t(1));

    TypeFolder(form, "txtDirZSNES", QString::fromStdString(f.romDir.Path()), true);
    QCOMPARE(f.IniValue("General", "ZSNESPath"), f.romDir.Path());
    QCOMPARE(f.dialogs.Errors().back(), QString::fromStdString("No ZSNES in " + f.romDir.Path() + ": neither " +
                                                               kOwnBuild + " nor ZSNES.EXE is there."));
    f.InstallEmulator(kOwnBuild);
    TypeFolder(form, "txtDirZSNES", QString::fromStdString(f.emu.Path()), false);
    QCOMPARE(f.IniValue("General", "ZSNESPath"), f.emu.Path());
    QCOMPARE(f.dialogs.Errors().size(), size_t(2));
    QCOMPARE(Child<RadioGroup>(form, "optVideoMode")->Button(0)->text(), QString("256x224 window"));
  }

  // A window stored off every screen (a display scale changed since) opens on the nearest screen;
  // one the user can still grab by its title stays where it was.
  void aWindowStoredOffEveryScreenOpensOnIt() {
    FormFixture f;
    SettingsFile(f.IniPath()).WriteInteger("Positions", "FormLeft", 9000);
    SettingsFile(f.IniPath()).WriteInteger("Positions", "FormTop", 7000);
    TMainForm& form = f.Start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(QRect(form.pos(), form.size())), qPrintable(QString("%1,%2").arg(form.x()).arg(form.y())));
    f.Close();

    FormFixture g;
    const QPoint partly(screen.right() - 150, screen.bottom() - 80);
    SettingsFile(g.IniPath()).WriteInteger("Positions", "FormLeft", partly.x());
    SettingsFile(g.IniPath()).WriteInteger("Positions", "FormTop", partly.y());
    QCOMPARE(g.Start().pos(), partly);
  }

  // F1 opens the manual wherever the focus is in the window; a document or page no program can open
  // is said, naming it. Without an opener on PATH the desktop's own dialogs say they cannot.
  void helpSaysWhenNoProgramCanOpenTheDocument() {
    FormFixture f;
    const std::string manual = f.appDir / "KIVO - Manual.txt";
    WriteTestFile(manual, "manual");
    TMainForm& form = f.Start();
    for (const char* focus : {"ListView", "chkNTSC"}) {
      auto* widget = Child<QWidget>(form, focus);
      widget->setFocus();
      QTRY_VERIFY(widget->hasFocus());
      QTest::keyClick(widget, Qt::Key_F1);
    }
    QCOMPARE(f.dialogs.opened, (std::vector<std::string>{manual, manual}));
    f.dialogs.openSucceeds = false;
    QTest::keyClick(Child<QWidget>(form, "chkNTSC"), Qt::Key_F1);
    Child<QAction>(form, "KIVOHomepage1")->trigger();
    QCOMPARE(f.dialogs.Errors(), (std::vector<QString>{QString::fromStdString("No program could open " + manual + "."),
                                                       "No program could open https://kivo.example.org/."}));
#ifndef _WIN32
    ScopedEnv noPath("PATH", f.appDir.Path());
    QVERIFY(!kivo::widgets::DesktopDialogs().OpenDocument(manual));
#endif
  }

  // Every small button of the Setup tab says what it does.
  void everySmallButtonHasATooltip() {
    FormFixture f;
    TMainForm& form = f.Start();
    QStringList tips;
    for (const char* name : {"cmdBrowseZSNES", "cmdBrowseMedia", "cmdBrowseSavegame", "btnCache"})
      tips << Child<QWidget>(form, name)->toolTip();
    for (const char* arrow : {"up", "down"})
      tips << Child<QWidget>(*Child<QWidget>(form, "UpDownCache"), arrow)->toolTip();
    tips.removeDuplicates();
    tips.removeAll(QString());
    QCOMPARE(tips.size(), 6);
  }
};

QTEST_MAIN(SurprisesTest)
#include "surprises_test.moc"
