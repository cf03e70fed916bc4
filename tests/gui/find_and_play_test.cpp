// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Finding a game and playing it again: the search field, the details view with its titles and
// sorts, favourites and recently played, the list following its folder, and menus reached by key.
#include <QAction>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "app/game_records.h"
#include "platform/files.h"
#include "browser/ui/rom_browser.h"
#include "gui/support/emulator_fixture.h"
#include "support/rom_builder.h"
#include "support/zip_builder.h"

using namespace kivo::app;
using kivo::browser::RomBrowser;

namespace {

std::string Rom(const std::string& title, int country = 1) {
  SnesRomLayout layout;
  layout.title = title;
  layout.country = static_cast<std::uint8_t>(country);
  layout.sizeMbit = 1;
  return BuildSnesRom(layout);
}

// The names the list shows now, in order, after the lines that are no games.
QStringList Games(TMainForm& form) {
  const kivo::browser::RomListModel* model = ListModelOf(form);
  QStringList names;
  for (int row = 0; row < model->Count(); ++row)
    if (model->EntryAt(row)->IsFile()) names << model->index(row, 0).data().toString();
  return names;
}

QString Cell(TMainForm& form, const QString& name, int column) {
  const kivo::browser::RomListModel* model = ListModelOf(form);
  for (int row = 0; row < model->Count(); ++row)
    if (model->index(row, 0).data().toString() == name) return model->index(row, column).data().toString();
  return "<no such line>";
}

void WaitForTitles(TMainForm& form) {
  QTRY_VERIFY_WITH_TIMEOUT(!Child<RomBrowser>(form, "RomBrowser")->TitlesBusy(), 10000);
}

}  // namespace

class FindAndPlayTest : public QObject {
  Q_OBJECT

 private slots:
  // Typing narrows the games to those whose name or title holds the text; the ways out stay; Esc
  // clears; the list's own type-ahead still finds a game.
  void searchNarrowsAsYouTypeAndEscClears() {
    FormFixture f;
    WriteTestFile(f.romDir / "db1.smc", Rom("DRAGON BLASTER"));
    WriteTestFile(f.romDir / "Moss Knight.sfc", Rom("MOSS KNIGHT"));
    WriteZip(f.romDir / "Zipped.zip", {ZipFile("readme.txt", "x"), ZipFile("IN.SMC", Rom("DRAGON QUEST"), true)});
    MakeTestDir(f.romDir / "Dragons");
    TMainForm& form = f.Start();
    WaitForTitles(form);
    auto* search = Child<QLineEdit>(form, "SearchEdit");
    QTest::keyClick(&form, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(search->hasFocus());
    QTest::keyClicks(search, "dragon");
    QCOMPARE(Games(form), (QStringList{"db1", "Zipped"}));
    QVERIFY(f.Row("Dragons", kivo::browser::kFolder) >= 0 && f.Row("Favourites") >= 0);
    QTest::keyClicks(search, " q");
    QCOMPARE(Games(form), (QStringList{"Zipped"}));
    QTest::keyClick(search, Qt::Key_Escape);
    QCOMPARE(search->text(), QString());
    QCOMPARE(Games(form), (QStringList{"db1", "Moss Knight", "Zipped"}));
    auto* list = Child<QListView>(form, "ListView");
    list->setFocus();
    QTest::keyClicks(list, "mo");
    QCOMPARE(list->currentIndex().data().toString(), QString("Moss Knight"));
  }

  // The details view shows each game's title and region from its header (an archive's from its
  // ROM), sorts by a clicked column and reverses on a second click; view and sort are kept.
  void detailsViewSortsByTitleAndIsKept() {
    FormFixture f;
    WriteTestFile(f.romDir / "a.smc", Rom("ZEBRA RACING", 1));
    WriteTestFile(f.romDir / "b.sfc", Rom("ALPHA MISSION", 0));
    WriteZip(f.romDir / "c.zip", {ZipFile("C.SMC", Rom("MIDDLE EARTH", 2), true)});
    WriteTestFile(f.romDir / "c.smc", "no header at all");
    TMainForm& form = f.Start();
    Child<QAction>(form, "mnuDetails")->trigger();
    auto* details = Child<QTreeView>(form, "DetailsView");
    QVERIFY(details->isVisible());
    // Made when first shown, it carries the File menu as the list view does.
    QVERIFY(details->actions().contains(Child<QAction>(form, "mnuVerify")));
    QCOMPARE(f.IniValue("General", "ListDetails"), std::string("1"));
    WaitForTitles(form);
    // Equal captions show their extensions.
    QCOMPARE(Games(form), (QStringList{"a", "b", "c.smc", "c.zip"}));
    QCOMPARE(Cell(form, "c.zip", 1), QString("MIDDLE EARTH"));
    QCOMPARE(Cell(form, "c.zip", 4), QString("ZIP"));
    QCOMPARE(Cell(form, "b", 1), QString("ALPHA MISSION"));
    QVERIFY(!Cell(form, "a", 2).isEmpty() && Cell(form, "a", 2) != Cell(form, "b", 2));
    QCOMPARE(Cell(form, "c.smc", 1), QString());
    auto clickHeader = [&](int column) {
      QHeaderView* header = details->header();
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5));
    };
    clickHeader(1);
    QCOMPARE(Games(form), (QStringList{"b", "c.zip", "a", "c.smc"}));
    clickHeader(1);
    QCOMPARE(Games(form), (QStringList{"a", "c.zip", "b", "c.smc"}));
    QCOMPARE(f.IniValue("General", "ListSortColumn"), std::string("1"));
    QCOMPARE(f.IniValue("General", "ListSortDescending"), std::string("1"));
    QVERIFY(!ListModelOf(form)->index(f.Row("c.zip"), 0).data(Qt::ToolTipRole).toString().isEmpty());

    f.Close();
    f.form.reset();
    f.context.settingsFile = std::make_unique<SettingsFile>(f.IniPath());
    TMainForm& again = f.Start();
    QVERIFY(Child<QTreeView>(again, "DetailsView")->isVisible());
    WaitForTitles(again);
    QCOMPARE(Games(again), (QStringList{"a", "c.zip", "b", "c.smc"}));
    // The second visit found every title in the table.
    QVERIFY(kivo::platform::FileExists(f.appDir / "zipcache/titles.tbl"));
    Child<QAction>(again, "mnuList")->trigger();
    QVERIFY(Child<QListView>(again, "ListView")->isVisible());
    QCOMPARE(f.IniValue("General", "ListDetails"), std::string("0"));
  }

  // The two gathered lists' pictures are drawn, not loaded: each shows at the list's size and at
  // twice it (a display scaled by two), also selected.
  void theGatheredListsHaveTheirPicturesAtEveryScale() {
    FormFixture f;
    f.Start();
    const kivo::browser::RomListModel* model = ListModelOf(*f.form);
    QImage pictures[2];
    for (int i = 0; i < 2; ++i) {
      const int row = f.Row(i == 0 ? "Favourites" : "Recently played");
      QVERIFY(row >= 0);
      const QIcon icon = model->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
      for (const int size : {16, 32}) {
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Selected}) {
          const QImage image = icon.pixmap(QSize(size, size), mode).toImage();
          QCOMPARE(image.size(), QSize(size, size));
          int drawn = 0;
          for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
          QVERIFY2(drawn > size * size / 4, qPrintable(QString("%1 of %2 pixels").arg(drawn).arg(size * size)));
          if (size == 16 && mode == QIcon::Normal) pictures[i] = image;
        }
      }
    }
    QVERIFY(pictures[0] != pictures[1]);
  }

  // Ctrl+D stars the selected game; "Favourites" lists it from its folder and starts it there;
  // every start counts in "Recently played", newest first.
  void favouritesAndRecentlyPlayedStartTheirGames() {
    EmulatorFixture f;
    MakeTestDir(f.romDir / "sub");
    WriteTestFile(f.romDir / "sub/Deep.smc", Rom("DEEP"));
    WriteTestFile(f.romDir / "Top.smc", Rom("TOP"));
    TMainForm& form = f.Start();
    QVERIFY(f.DoubleClick("sub"));
    QVERIFY(f.Click("Deep"));
    QTest::keyClick(Child<QListView>(form, "ListView"), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Games(form), (QStringList{QString::fromUtf8("\u2605 Deep")}));
    QVERIFY(GameRecords::Load(f.IniPath()).IsFavourite(f.romDir / "sub/Deep.smc"));
    QVERIFY(f.DoubleClick(".."));
    QVERIFY(f.DoubleClick("Favourites"));
    QCOMPARE(Games(form), (QStringList{QString::fromUtf8("\u2605 Deep")}));
    QCOMPARE(Child<QLabel>(form, "StatusPanels2")->text(), QString("Favourites"));
    QVERIFY(f.DoubleClick(QString::fromUtf8("\u2605 Deep")));
    QCOMPARE(f.Starts(1).back().args, DefaultZsnesExeArgs(f.romDir / "sub/Deep.smc", false));
    // ".." goes back to the folder the list was entered from.
    QVERIFY(f.DoubleClick(".."));
    QVERIFY(f.DoubleClick("Top"));
    QCOMPARE(f.Starts(2).size(), size_t(2));
    QVERIFY(f.DoubleClick("Recently played"));
    QCOMPARE(Games(form), (QStringList{"Top", QString::fromUtf8("\u2605 Deep")}));
    QCOMPARE(Cell(form, "Top", 6), QString("1"));
    QVERIFY(f.DoubleClick("Top"));
    QCOMPARE(f.Starts(3).size(), size_t(3));
    QTRY_COMPARE(Cell(form, "Top", 6), QString("2"));
    // Unstarred from the gathered list, the game leaves it.
    QVERIFY(f.DoubleClick("Favourites"));
    QVERIFY(f.Click(QString::fromUtf8("\u2605 Deep")));
    Child<QAction>(form, "mnuFavourite")->trigger();
    QCOMPARE(Games(form), QStringList());
  }

  // A command on a gathered list's game acts on that game in its own folder, never on a file of
  // the same name in the folder shown.
  void aGatheredListsGameIsDeletedWhereItLies() {
    FormFixture f;
    MakeTestDir(f.romDir / "sub");
    WriteTestFile(f.romDir / "sub/Same.smc", "starred");
    WriteTestFile(f.romDir / "Same.smc", "beside");
    GameRecords::ToggleFavourite(f.IniPath(), f.romDir / "sub/Same.smc");
    TMainForm& form = f.Start();
    QVERIFY(f.DoubleClick("Favourites"));
    QVERIFY(f.Click(QString::fromUtf8("\u2605 Same")));
    f.dialogs.confirmAnswer = true;
    Child<QAction>(form, "mnuDelete")->trigger();
    QVERIFY(!kivo::platform::FileExists(f.romDir / "sub/Same.smc"));
    QCOMPARE(ReadTestFile(f.romDir / "Same.smc"), std::string("beside"));
    QCOMPARE(Games(form), QStringList());
  }

  // F5 and the folder's own changes make the list again, keeping the selection and the search.
  void theListFollowsItsFolderKeepingTheSelection() {
    FormFixture f;
    WriteTestFile(f.romDir / "Alpha.smc", "a");
    WriteTestFile(f.romDir / "Gamma.smc", "g");
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Gamma"));
    WriteTestFile(f.romDir / "Beta.smc", "b");
    QTRY_COMPARE_WITH_TIMEOUT(Games(form), (QStringList{"Alpha", "Beta", "Gamma"}), 5000);
    QCOMPARE(Child<QListView>(form, "ListView")->currentIndex().data().toString(), QString("Gamma"));
    QVERIFY(std::rename((f.romDir / "Alpha.smc").c_str(), (f.romDir / "Delta.smc").c_str()) == 0);
    QTRY_COMPARE_WITH_TIMEOUT(Games(form), (QStringList{"Beta", "Delta", "Gamma"}), 5000);
    Child<QLineEdit>(form, "SearchEdit")->setText("a");
    std::remove((f.romDir / "Beta.smc").c_str());
    QTest::keyClick(&form, Qt::Key_F5);
    QCOMPARE(Games(form), (QStringList{"Delta", "Gamma"}));
    QCOMPARE(Child<QListView>(form, "ListView")->currentIndex().data().toString(), QString("Gamma"));
  }

  // The tool bar's buttons name their menus and open them with Alt and a letter; every button
  // says what it does.
  void menusOpenByKeyAndEveryButtonHasATip() {
    FormFixture f;
    TMainForm& form = f.Start();
    const std::pair<const char*, const char*> buttons[] = {
        {"ToolButton1", "popFile"}, {"ToolButton2", "popPreferences"}, {"ToolButton3", "popHelp"}, {"ViewButton", "popView"}};
    for (const auto& [name, menuName] : buttons) {
      auto* button = Child<QToolButton>(form, name);
      QVERIFY(!button->text().isEmpty());
      QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
      auto* menu = Child<QMenu>(form, menuName);
      const QChar letter = button->text().at(button->text().indexOf('&') + 1);
      QTimer::singleShot(0, [menu] { QTRY_VERIFY(menu->isVisible()); menu->close(); });
      QTest::keyClick(&form, static_cast<Qt::Key>(letter.toUpper().unicode()), Qt::AltModifier);
      QTRY_VERIFY(!menu->isVisible());
    }
    for (QAbstractButton* button : form.findChildren<QAbstractButton*>())
      if (button->isVisible() && !qobject_cast<QTabBar*>(button->parentWidget()))
        QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->objectName() + " " + button->text()));
  }
};

QTEST_MAIN(FindAndPlayTest)
#include "find_and_play_test.moc"
