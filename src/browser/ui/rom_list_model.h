#pragma once

#include <QAbstractListModel>
#include <QFont>
#include <QIcon>
#include <QSize>
#include <array>
#include <vector>

#include "browser/list_entry.h"

// The ROM list's lines as a model over the scanned entries. Each line shows the picture of its
// kind; the entries keep their names as bytes, converted only for display.
class RomListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit RomListModel(QObject* parent = nullptr);

  // The font the view draws with: the lines' common size follows from it.
  void SetFont(const QFont& font) { font_ = font; }
  void SetEntries(std::vector<ListEntry> entries);
  void Clear();
  const ListEntry* EntryAt(int row) const;
  int Count() const { return static_cast<int>(entries_.size()); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<ListEntry> entries_;
  std::array<QIcon, 6> icons_;
  QFont font_;
  QSize itemSize_;
};
