// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/ui/option_panel.h"
#include "browser/game_lists.h"
#include "browser/list_entry.h"
#include "screenshots/preview_state.h"
#include "widgets/handler_guard.h"

class QLabel;
namespace kivo::zipcache {
class CacheRow;
}
namespace kivo::screenshots {
class PreviewPanel;
}
namespace kivo::browser {
class RomBrowser;
}
namespace kivo::zipcache {
class TZipCache;
}

namespace kivo::widgets {
class Dialogs;
}

namespace kivo::app {

class Menus;

// KIVO's one window. It composes its panels: the menus with their tool bar, the screenshot
// preview, the option tabs, the zip cache's row, the ROM list and the status bar. It keeps what
// ties them together: the window's lifecycle, what a click or an opening in the list does, and the
// File menu's commands on the selected game. Each handler runs inside the guard, so an error ends
// it with the error report and never crosses the event loop.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window and runs FormCreate. The context and dialogs outlive the window.
  TMainForm(AppContext& context, widgets::Dialogs& dialogs, QWidget* parent = nullptr);
  ~TMainForm() override;

  // What the panels show, for the window's tests.
  const screenshots::PreviewState& Preview() const;
  zipcache::TZipCache* ZipCache() const;
  const std::vector<OptionBindings::Control*>& Bindings() const;

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The handlers: the window's own events, menus, tool bar and list call them.
  // Lifecycle.
  void FormCreate();
  void FormActivate();
  void FormClose();

  // The ROM list.
  void ScanDirectory();
  void ListViewClick();
  void ListViewDblClick();
  // F5, and a change in the folder shown: the list made again, keeping the search and selection.
  void RefreshList();
  // The entry selected in the list, if any; its names are valid until the list is scanned again.
  std::optional<browser::ListEntry> SelectedEntry() const;
  // The folder the selected game lies in: the current folder, or a gathered list's game's own.
  std::string SelectedFolder() const;
  // Goes into a gathered list, or from one back to the folder it was entered from.
  void ShowGathered(browser::ListSource source);

  // The View menu: the list or the details view, kept in the settings.
  void mnuListClick();
  void mnuDetailsClick();
  void ShowDetails(bool details);
  // Stars the selected game, or unstars it.
  void mnuFavouriteClick();
  // Counts a start of the game in the game records, and shows it in the list.
  void RecordStart(const std::string& gamePath);

  // The File menu, on the entry selected in the list.
  void mnuToggleConfigClick();
  void mnuVerifyClick();
  void mnuInfoClick();
  void mnuDeleteClick();
  void Unzip1Click();
  void Archivescreenshot1Click();
  // Starts the selected game.
  void RunRom();

  void BuildLayout();
  void FitMinimumSize();
  void ConnectPanels();
  void ShowSelectionPreview();
  // The plain ROM file of the selected game in the current folder, unpacked from its archive if
  // need be.
  std::string SelectedRomPath();
  void SetStatusFolder(const QString& text);

  AppContext& context_;
  widgets::HandlerGuard guard_;
  Menus* menus_ = nullptr;
  QWidget* Panel1 = nullptr;  // the left panel: tool bar, preview and option tabs
  screenshots::PreviewPanel* imgPreview0 = nullptr;
  OptionPanel* PageControl1 = nullptr;
  // Open from the window's creation to its close.
  std::unique_ptr<zipcache::TZipCache> zipCache_;
  zipcache::CacheRow* cacheRow_ = nullptr;
  browser::RomBrowser* ListView = nullptr;
  // What the list shows. A gathered list keeps the current folder, which its ".." returns to.
  browser::ListSource listSource_ = browser::ListSource::Folder;
  QLabel* StatusPanels[3] = {};
  bool activating_ = false;
  bool closed_ = false;
};

}  // namespace kivo::app
