#include "browser/ui/rom_list_model.h"

#include <QFontMetrics>
#include <algorithm>

#include "app/ui/dialogs.h"

RomListModel::RomListModel(QObject* parent) : QAbstractListModel(parent) {
  static const char* const kIconFiles[6] = {":/list/0_drive.png", ":/list/1_folder.png",
                                            ":/list/2_rom.png",   ":/list/3_rom_config.png",
                                            ":/list/4_zip.png",   ":/list/5_zip_config.png"};
  for (size_t i = 0; i < icons_.size(); ++i) icons_[i] = QIcon(kIconFiles[i]);
}

void RomListModel::SetEntries(std::vector<ListEntry> entries) {
  beginResetModel();
  entries_ = std::move(entries);
  // Every line gets the size of the widest caption, so the view can lay out thousands of lines
  // without measuring each one. Measuring only the captions longest in bytes keeps this cheap;
  // a margin absorbs the difference between wide and narrow letters.
  constexpr size_t kMeasured = 64;
  std::vector<const std::string*> longest;
  longest.reserve(entries_.size());
  for (const ListEntry& entry : entries_) longest.push_back(&entry.caption);
  size_t count = std::min(kMeasured, longest.size());
  std::partial_sort(longest.begin(), longest.begin() + static_cast<std::ptrdiff_t>(count), longest.end(),
                    [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
  QFontMetrics metrics(font_);
  int width = 0;
  for (size_t i = 0; i < count; ++i) width = std::max(width, metrics.horizontalAdvance(FromBytes(*longest[i])));
  itemSize_ = QSize(16 + 6 + width + 12, std::max(18, metrics.height() + 2));
  endResetModel();
}

void RomListModel::Clear() { SetEntries({}); }

const ListEntry* RomListModel::EntryAt(int row) const {
  if (row < 0 || row >= Count()) return nullptr;
  return &entries_[static_cast<size_t>(row)];
}

int RomListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }

QVariant RomListModel::data(const QModelIndex& index, int role) const {
  const ListEntry* entry = EntryAt(index.row());
  if (entry == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
      return FromBytes(entry->caption);
    case Qt::DecorationRole:
      return icons_[static_cast<size_t>(entry->kind)];
    case Qt::SizeHintRole:
      return itemSize_;
    default:
      return {};
  }
}
