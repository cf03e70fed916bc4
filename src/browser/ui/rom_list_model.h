// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractListModel>
#include <QFont>
#include <QIcon>
#include <QSize>
#include <array>
#include <optional>

#include "browser/list_entries.h"
#include "browser/list_entry.h"

namespace kivo::browser {

// The ROM list's lines as a model over the scanned entries. Each line shows the picture of its
// kind; the entries keep their names as bytes, converted only for the lines a view asks for, so a
// list of hundreds of thousands costs no more up front than a look at each caption's length.
class RomListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit RomListModel(QObject* parent = nullptr);

  // The font the view draws with: the lines' common size follows from it.
  void SetFont(const QFont& font) { font_ = font; }
  void SetEntries(ListEntries entries);
  void Clear();
  // The entry of a row, nothing for a row that is not there. Its names are views of the model's
  // entries: valid until the next SetEntries or Clear.
  std::optional<ListEntry> EntryAt(int row) const;
  int Count() const { return static_cast<int>(entries_.size()); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  QString Caption(size_t row) const;

  ListEntries entries_;
  std::array<QIcon, 6> icons_;
  QFont font_;
  QSize itemSize_;
};

}  // namespace kivo::browser
