// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/ui/menus.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QStyleOptionToolButton>
#include <QToolBar>
#include <QToolButton>

#include "app/app_context.h"
#include "common/error.h"
#include "common/path.h"
#include "platform/files.h"
#include "widgets/dialogs.h"
#include "widgets/handler_guard.h"

namespace kivo::app {

namespace {

constexpr const char* kHomepage = "https://kivo.example.org/";
constexpr const char* kZsnesHomepage = "https://www.zsnes.com/";
constexpr const char* kAuthorMail = "mailto:kivo-team@example.org";

QMenu* NewMenu(QWidget* window, const char* name) {
  auto* menu = new QMenu(window);
  menu->setObjectName(name);
  return menu;
}

// A menu item named as the window's design names it, so it can be found by name.
QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const char* icon) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (icon != nullptr) action->setIcon(QIcon(QString(":/menu/%1.png").arg(icon)));
  return action;
}

// A button that opens its menu anywhere on it, drawn without the small arrow that says so: with the
// menu's name beside its picture the arrow would only crowd the name. (A style sheet could hide the
// arrow too, but it puts every button under the far slower style-sheet style.)
class CaptionMenuButton : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void initStyleOption(QStyleOptionToolButton* option) const override {
    QToolButton::initStyleOption(option);
    option->features &= ~QStyleOptionToolButton::HasMenu;
  }
};

}  // namespace

Menus::Menus(AppContext& context, widgets::HandlerGuard& guard, QWidget* window)
    : QObject(window), context_(context), guard_(guard), window_(window) {
  BuildFileMenu();
  BuildViewMenu();
  BuildPreferencesMenu();
  BuildHelpMenu();
}

void Menus::BuildFileMenu() {
  popFile = NewMenu(window_, "popFile");
  AddItem(popFile, "mnuToggleConfig", "&Toggle Config", "toggle_config");
  QAction* verify = AddItem(popFile, "mnuVerify", "Verify &checksum", "verify");
  AddItem(popFile, "mnuDelete", "&Delete", "delete");
  AddItem(popFile, "Unzip1", "&Unzip", "unzip");
  AddItem(popFile, "mnuInfo", "Info", "info");
  QAction* favourite = AddItem(popFile, "mnuFavourite", "Fa&vourite", nullptr);
  QAction* archive = AddItem(popFile, "Archivescreenshot1", "&Archive screenshot", "archive_screenshot");
  popFile->addSeparator();
  AddItem(popFile, "mnuExit", "E&xit", "exit");

  // The two shortcuts belong to the ROM list, which carries this menu: they act only while the
  // list has the keyboard focus.
  verify->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  archive->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  for (QAction* action : {verify, archive}) action->setShortcutContext(Qt::WidgetShortcut);
  // Starring is the window's key, wherever the keyboard is.
  favourite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  window_->addAction(favourite);
  connect(popFile, &QMenu::aboutToShow, this, guard_.Wrap([this] { popFilePopup(); }));
}

void Menus::BuildViewMenu() {
  popView = NewMenu(window_, "popView");
  auto* views = new QActionGroup(popView);
  for (QAction* action : {AddItem(popView, "mnuList", "&List", nullptr), AddItem(popView, "mnuDetails", "&Details", nullptr)}) {
    action->setCheckable(true);
    views->addAction(action);
  }
  popView->addSeparator();
  QAction* refresh = AddItem(popView, "mnuRefresh", "&Refresh", nullptr);
  refresh->setShortcut(QKeySequence(Qt::Key_F5));
  window_->addAction(refresh);
}

void Menus::BuildPreferencesMenu() {
  popPreferences = NewMenu(window_, "popPreferences");
  QAction* singleClick = AddItem(popPreferences, "SingleClick1", "&Single Click", nullptr);
  // The two marks are options: the option panel stores them when they are triggered.
  AddItem(popPreferences, "mnuHighPriority", "&High priority", "high_priority")->setCheckable(true);
  AddItem(popPreferences, "mnuBat", "Shell through .&bat", "shell_bat")->setCheckable(true);
  popPreferences->addSeparator();
  QAction* quickRom = AddItem(popPreferences, "QuickROM1", "&QuickROM", nullptr);
  singleClick->setEnabled(false);
  quickRom->setEnabled(false);
}

void Menus::BuildHelpMenu() {
  popHelp = NewMenu(window_, "popHelp");
  const std::pair<QAction*, void (Menus::*)()> items[] = {
      {AddItem(popHelp, "KIVOReadme1", "KIVO Readme", "readme"), &Menus::KIVOReadme1Click},
      {AddItem(popHelp, "KIVOHomepage1", "KIVO Homepage", "homepage"), &Menus::KIVOHomepage1Click},
      {AddItem(popHelp, "MailAuthot1", "Mail Author", "mail"), &Menus::MailAuthot1Click},
      {popHelp->addSeparator(), nullptr},
      {AddItem(popHelp, "ZSNESReadme1", "ZSNES Readme", "readme"), &Menus::ZSNESReadme1Click},
      {AddItem(popHelp, "ZSNESHomepage1", "ZSNES Homepage", "homepage"), &Menus::ZSNESHomepage1Click},
      {popHelp->addSeparator(), nullptr},
      {AddItem(popHelp, "mnuAbout", "&About", "about"), &Menus::mnuAboutClick},
  };
  for (const auto& [action, handler] : items) {
    if (handler != nullptr)
      connect(action, &QAction::triggered, this, guard_.Wrap([this, h = handler] { (this->*h)(); }));
  }
  // F1 opens the manual wherever the focus is: a menu's item answers its key only while the menu is
  // open, so the window carries the item too.
  QAction* readme = items[0].first;
  readme->setShortcut(QKeySequence(Qt::Key_F1));
  readme->setShortcutContext(Qt::WindowShortcut);
  window_->addAction(readme);
}

QToolBar* Menus::BuildToolBar(QWidget* panel) {
  ToolBar1 = new QToolBar(panel);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setStyleSheet(
      "QToolBar { border: 1px solid palette(mid); border-top: none; border-left: none; "
      "border-right: none; spacing: 2px; }");
  // Each button shows its menu's name beside its picture; Alt and the underlined letter open it.
  // The View menu's button stands above the list it changes.
  ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  ToolBar1->addWidget(MenuButton(ToolBar1, "ToolButton1", "&File", "File: the selected game's commands",
                                 ":/toolbar/file.png", popFile));
  ToolBar1->addWidget(MenuButton(ToolBar1, "ToolButton2", "&Preferences", "Preferences", ":/toolbar/preferences.png",
                                 popPreferences));
  ToolBar1->addWidget(MenuButton(ToolBar1, "ToolButton3", "&Help", "Help", ":/toolbar/help.png", popHelp));
  return ToolBar1;
}

QToolButton* Menus::MenuButton(QWidget* parent, const char* name, const char* caption, const char* tip,
                               const char* icon, QMenu* menu) {
  auto* button = new CaptionMenuButton(parent);
  button->setObjectName(name);
  button->setText(caption);
  button->setToolTip(tip);
  if (icon != nullptr) button->setIcon(QIcon(icon));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setMenu(menu);
  // The whole button opens the menu: with its name beside its picture there is no room for a
  // separate arrow, and a click on the name means the menu.
  button->setPopupMode(QToolButton::InstantPopup);
  button->setAutoRaise(true);
  // Its mnemonic clicks it, which in this mode opens nothing by itself.
  connect(button, &QToolButton::clicked, button, &QToolButton::showMenu);
  // The same menu opens on a right click of the button.
  button->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(button, &QWidget::customContextMenuRequested, this,
          [button, menu](const QPoint& at) { menu->popup(button->mapToGlobal(at)); });
  return button;
}

QToolButton* Menus::BuildViewButton(QWidget* parent) {
  return MenuButton(parent, "ViewButton", "&View", "View: the list or the details, refresh", nullptr, popView);
}

void Menus::AttachFileMenu(QAbstractItemView* list) {
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list, &QWidget::customContextMenuRequested, this,
          [this, list](const QPoint& at) { popFile->popup(list->viewport()->mapToGlobal(at)); });
  list->addAction(Item("mnuVerify"));
  list->addAction(Item("Archivescreenshot1"));
}

void Menus::OnItem(const char* name, std::function<void()> handler) {
  // triggered, not toggled: a check mark set by the program runs nothing.
  connect(Item(name), &QAction::triggered, this, guard_.Wrap(std::move(handler)));
}

QAction* Menus::Item(const char* name) const {
  auto* action = window_->findChild<QAction*>(name);
  if (action == nullptr) qFatal("the menus have no item named %s", name);
  return action;
}

void Menus::popFilePopup() { Item("Unzip1")->setEnabled(common::IsZipName(context_.selectedRomFile)); }

void Menus::mnuAboutClick() {
  guard_.Ask().Message(window_, "KIVO 0.991 4/10/1999\nWritten by the KIVO team, with thanks to every ZSNES player.",
                       "About", widgets::Dialogs::Icon::None);
}

void Menus::OpenHelp(const std::string& fileOrUrl, bool isFile) {
  // The desktop opens a missing file without a word, or with a box of its own long after; the user
  // asked for a document and is told at once that there is none.
  if (isFile && !platform::FileExists(fileOrUrl)) throw common::KivoError("Cannot open file " + fileOrUrl);
  // Without a program for it the desktop opens nothing and says nothing.
  if (!guard_.Ask().OpenDocument(fileOrUrl)) throw common::KivoError("No program could open " + fileOrUrl);
}

void Menus::KIVOReadme1Click() {
  OpenHelp(context_.manual.empty() ? common::AddBackslash(context_.appDir) + "KIVO - Manual.txt" : context_.manual,
           true);
}

void Menus::KIVOHomepage1Click() { OpenHelp(kHomepage, false); }

void Menus::MailAuthot1Click() { OpenHelp(kAuthorMail, false); }

void Menus::ZSNESReadme1Click() {
  OpenHelp(common::AddBackslash(context_.Settings().ReadString(option::ZSNESPath)) + "Readme.txt", true);
}

void Menus::ZSNESHomepage1Click() { OpenHelp(kZsnesHomepage, false); }

}  // namespace kivo::app
