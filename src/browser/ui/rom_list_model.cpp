// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/ui/rom_list_model.h"

#include <QFontMetrics>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "widgets/dialogs.h"

namespace kivo::browser {

RomListModel::RomListModel(QObject* parent) : QAbstractListModel(parent) {
  static const char* const kIconFiles[6] = {":/list/0_drive.png", ":/list/1_folder.png",
                                            ":/list/2_rom.png",   ":/list/3_rom_config.png",
                                            ":/list/4_zip.png",   ":/list/5_zip_config.png"};
  for (size_t i = 0; i < icons_.size(); ++i) icons_[i] = QIcon(kIconFiles[i]);
}

void RomListModel::SetEntries(ListEntries entries) {
  beginResetModel();
  entries_ = std::move(entries);
  // Every line gets the size of the widest caption, so the view can lay out thousands of lines
  // without measuring each one. Measuring only the captions longest in bytes keeps this cheap;
  // a margin absorbs the difference between wide and narrow letters. They are kept in a small heap
  // whose top is the shortest of them.
  constexpr size_t kMeasured = 64;
  std::vector<std::pair<size_t, size_t>> longest;  // caption size and row
  longest.reserve(kMeasured + 1);
  auto longer = [](const std::pair<size_t, size_t>& a, const std::pair<size_t, size_t>& b) {
    return a.first > b.first;
  };
  for (size_t row = 0; row < entries_.size(); ++row) {
    const size_t size = entries_[row].caption.size();
    if (longest.size() == kMeasured && size <= longest.front().first) continue;
    longest.emplace_back(size, row);
    std::push_heap(longest.begin(), longest.end(), longer);
    if (longest.size() > kMeasured) {
      std::pop_heap(longest.begin(), longest.end(), longer);
      longest.pop_back();
    }
  }
  QFontMetrics metrics(font_);
  int width = 0;
  for (const auto& [size, row] : longest) width = std::max(width, metrics.horizontalAdvance(Caption(row)));
  itemSize_ = QSize(16 + 6 + width + 12, std::max(18, metrics.height() + 2));
  endResetModel();
}

void RomListModel::Clear() { SetEntries({}); }

std::optional<ListEntry> RomListModel::EntryAt(int row) const {
  if (row < 0 || row >= Count()) return std::nullopt;
  return entries_[static_cast<size_t>(row)];
}

QString RomListModel::Caption(size_t row) const { return widgets::FromBytes(std::string(entries_[row].caption)); }

int RomListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }

QVariant RomListModel::data(const QModelIndex& index, int role) const {
  const std::optional<ListEntry> entry = EntryAt(index.row());
  if (!entry) return {};
  switch (role) {
    case Qt::DisplayRole:
      return Caption(static_cast<size_t>(index.row()));
    case Qt::DecorationRole:
      return icons_[static_cast<size_t>(entry->kind)];
    case Qt::SizeHintRole:
      return itemSize_;
    default:
      return {};
  }
}

}  // namespace kivo::browser
