// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QAbstractItemView;
class QAction;
class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

namespace kivo::widgets {
class HandlerGuard;
}

namespace kivo::app {

struct AppContext;

// The tool bar's four menus, File, View, Preferences and Help, and the Help menu's commands. Every item
// carries its design name as its object name: the window hands each File item its handler by that
// name, and the option panel the two Preferences marks it binds.
class Menus : public QObject {
  Q_OBJECT

 public:
  Menus(AppContext& context, widgets::HandlerGuard& guard, QWidget* window);

  // The tool bar with the File, Preferences and Help buttons, for the top of the left panel.
  QToolBar* BuildToolBar(QWidget* panel);
  // The View menu's button, for the row above the list.
  QToolButton* BuildViewButton(QWidget* parent);
  // The ROM list carries the File menu: its context menu and its two shortcuts.
  void AttachFileMenu(QAbstractItemView* list);
  // Runs `handler` (guarded) when the user chooses the item of this name.
  void OnItem(const char* name, std::function<void()> handler);
  // The item of this name.
  QAction* Item(const char* name) const;

  // The Help menu's commands.
  void mnuAboutClick();
  void KIVOReadme1Click();
  void KIVOHomepage1Click();
  void MailAuthot1Click();
  void ZSNESReadme1Click();
  void ZSNESHomepage1Click();
  // Opens a help document or web page; raises the program's error when it cannot.
  void OpenHelp(const std::string& fileOrUrl, bool isFile);

 private:
  void BuildFileMenu();
  void BuildViewMenu();
  QToolButton* MenuButton(QWidget* parent, const char* name, const char* caption, const char* tip, const char* icon,
                          QMenu* menu);
  void BuildPreferencesMenu();
  void BuildHelpMenu();
  // Unzip is offered for an archive only.
  void popFilePopup();

  AppContext& context_;
  widgets::HandlerGuard& guard_;
  QWidget* window_;
  QMenu* popFile = nullptr;
  QMenu* popView = nullptr;
  QMenu* popPreferences = nullptr;
  QMenu* popHelp = nullptr;
  QToolBar* ToolBar1 = nullptr;
};

}  // namespace kivo::app
