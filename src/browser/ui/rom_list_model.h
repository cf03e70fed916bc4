// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QIcon>
#include <QSize>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "browser/entry_facts.h"
#include "browser/game_lists.h"
#include "browser/list_entries.h"
#include "browser/list_entry.h"
#include "browser/list_sort.h"

namespace kivo::browser {

// The ROM list's lines as a model over the scanned entries: the list view shows the first column,
// the details view all of them. The search text and the sort decide which lines are shown and in
// which order; the facts (titles, sizes, starts) arrive after the lines and fill in where they are
// shown. The entries keep their names as bytes, converted only for the lines a view asks for.
class RomListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RomListModel(QObject* parent = nullptr);

  // The font the views draw with: the list view's common line size follows from it.
  void SetFont(const QFont& font) { font_ = font; }
  // A new list, made for `shownFolder`, with the facts known so far (one per line, or none).
  void SetList(GameList list, std::vector<EntryFacts> facts, std::string shownFolder);
  void Clear();
  // The search text; the shown lines follow it at once.
  void SetFilter(const std::string& text);
  const std::string& Filter() const { return filter_; }
  void SetSort(ListColumn column, bool descending);
  ListColumn SortColumn() const { return sortColumn_; }
  bool SortDescending() const { return sortDescending_; }
  // Facts found for lines of the list (by their row in the list, not in the view).
  void SetFacts(const std::vector<std::pair<std::uint32_t, EntryFacts>>& found);

  // The entry of a shown row, nothing for a row that is not there. Its names are views of the
  // model's entries: valid until the next SetList or Clear.
  std::optional<ListEntry> EntryAt(int row) const;
  const EntryFacts* FactsAt(int row) const;
  // The folder the file of a shown row lies in, and its full path.
  std::string FolderAt(int row) const;
  std::string PathAt(int row) const;
  // The shown row of the file of this name (and folder, for a gathered list), or -1.
  int RowOfFile(std::string_view fileName, std::string_view folder) const;
  int Count() const { return static_cast<int>(shown_.size()); }
  const GameList& List() const { return list_; }
  const std::string& ShownFolder() const { return shownFolder_; }
  // The full paths of every file of the list, by list row, for the title scan.
  std::vector<std::pair<std::uint32_t, std::string>> FilePaths() const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

 private:
  // Whether another file of the list reads alike, so the line shows its whole name.
  bool SharesCaption(size_t listRow) const;
  QString Name(size_t listRow) const;
  const EntryFacts& FactsOf(size_t listRow) const;
  QVariant Column(size_t listRow, int column) const;
  void Reshow();
  void IndexShownRows();
  void MeasureLines();

  GameList list_;
  std::vector<EntryFacts> facts_;
  std::vector<bool> sharedCaptions_;  // for a gathered list; a folder's lines ask their neighbours
  std::string shownFolder_;
  std::string filter_;
  ListColumn sortColumn_ = ListColumn::Name;
  bool sortDescending_ = false;
  std::vector<std::uint32_t> shown_;  // list rows, in the order shown
  std::vector<int> shownRow_;         // per list row: its shown row, or -1; empty until asked
  std::array<QIcon, 8> icons_;
  QFont font_;
  QSize itemSize_;
};

}  // namespace kivo::browser
