// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/entry_facts.h"
#include "browser/game_lists.h"
#include "browser/list_entry.h"
#include "browser/list_sort.h"

class QAbstractItemView;
class QFileSystemWatcher;
class QHBoxLayout;
class QLineEdit;
class QStackedWidget;

namespace kivo::browser {

class RomDetails;
class RomList;
class RomListModel;
class TitleLoader;

// The ROM list with its search field: the list view or the details view over one model, the
// titles read on a thread of their own, and a watch on the folder shown. It says when the user
// clicks or opens an entry and when the folder changed on disk; the window decides what that does.
class RomBrowser : public QWidget {
  Q_OBJECT

 public:
  explicit RomBrowser(QWidget* parent = nullptr);
  ~RomBrowser() override;

  // A new list for `shownFolder` (the folder a folder's listing was made of, or the folder a
  // gathered list returns to), with the facts the game records give. The search text, the sort and,
  // where the same file is listed again, the selection stay.
  void SetList(GameList list, std::vector<EntryFacts> facts, const std::string& shownFolder);
  void Clear();
  // The table of titles read before; empty: none.
  void SetTitleTable(std::string path);

  // The entry selected, if any; its names are valid until the list is filled again.
  std::optional<ListEntry> SelectedEntry() const;
  // The folder the selected file lies in (the folder shown, but for a gathered list's games).
  std::string SelectedFolder() const;
  const EntryFacts* SelectedFacts() const;
  // Selects the file of this name (in `folder`, when given) and scrolls to it; false when the list
  // shows no such file, which leaves the selection as it was.
  bool SelectFile(std::string_view fileName, std::string_view folder = {});

  void SetDetails(bool details);
  bool Details() const;
  void SetSort(ListColumn column, bool descending);
  // The search field takes the keyboard, its text selected; Esc there clears it.
  void FocusSearch();
  void ClearSearch();

  // The view shown now (list or details), which has the keyboard when the list has it.
  QAbstractItemView* View() const;
  // Puts a control at the end of the search field's row.
  void AddToSearchRow(QWidget* control);
  // What every view must carry (the File menu), given to the list view now and to the details
  // view when it is made.
  void SetViewSetup(std::function<void(QAbstractItemView*)> setup);
  RomListModel* Model() const { return model_; }
  bool TitlesBusy() const;

 signals:
  void Clicked();
  void Opened();
  // A file was added, removed or renamed in the folder shown (a moment after, once it is quiet).
  void FolderChanged();
  void SortChanged(kivo::browser::ListColumn column, bool descending);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Watch(const std::string& folder);
  // The details view, made the first time it is asked for.
  RomDetails* MadeDetails();
  // The details view's header shows the list's sort.
  void ShowSortIndicator();
  void OnSearchEdited();
  // Reads the titles of the list shown, once the window has been painted.
  void ReadTitles();

  RomListModel* model_;
  QLineEdit* search_;
  QHBoxLayout* searchRow_;
  QStackedWidget* views_;
  RomList* list_;
  RomDetails* details_ = nullptr;
  std::function<void(QAbstractItemView*)> viewSetup_;
  TitleLoader* titles_;
  QFileSystemWatcher* watcher_;
  QTimer settle_;
  // The first paint of a view comes before the titles: reading them would compete with the
  // window's own start for the processor and the disk, and they come a moment later anyway.
  bool painted_ = false;
  bool titlesWanted_ = false;
};

}  // namespace kivo::browser
