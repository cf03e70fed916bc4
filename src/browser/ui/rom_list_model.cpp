// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/ui/rom_list_model.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "browser/list_filter.h"
#include "browser/ui/list_icons.h"
#include "widgets/dialogs.h"

namespace kivo::browser {

namespace {

constexpr const char* kHeaders[kListColumns] = {"Name", "Title", "Region", "Size", "Type", "Last played", "Played"};
const QString kStar = QStringLiteral("\u2605 ");

QString SizeText(std::int64_t size) {
  if (size < 0) return {};
  return QLocale::system().formattedDataSize(size, 1, QLocale::DataSizeTraditionalFormat);
}

QString TimeText(std::int64_t seconds) {
  if (seconds <= 0) return {};
  return QDateTime::fromSecsSinceEpoch(seconds).toString("yyyy-MM-dd hh:mm");
}

}  // namespace

RomListModel::RomListModel(QObject* parent) : QAbstractTableModel(parent), icons_(ListIcons()) {}

void RomListModel::SetList(GameList list, std::vector<EntryFacts> facts, std::string shownFolder) {
  beginResetModel();
  list_ = std::move(list);
  // Facts come later for most lists: until then a line has none, and costs nothing.
  facts_ = std::move(facts);
  if (!facts_.empty()) facts_.resize(list_.entries.size());
  shownFolder_ = std::move(shownFolder);
  // A folder's lines are asked one by one as they are shown; a gathered list is small.
  sharedCaptions_ = list_.source == ListSource::Folder ? std::vector<bool>() : CaptionsShared(list_);
  shown_ = FilterRows(list_.entries, facts_, filter_);
  if (sortColumn_ != ListColumn::Name || sortDescending_)
    SortRows(shown_, list_.entries, facts_, sortColumn_, sortDescending_);
  // Made when titles come or the rows are reordered: a list just shown needs none.
  shownRow_.clear();
  MeasureLines();
  endResetModel();
}

void RomListModel::Clear() { SetList({}, {}, {}); }

void RomListModel::IndexShownRows() {
  shownRow_.assign(list_.entries.size(), -1);
  for (size_t i = 0; i < shown_.size(); ++i) shownRow_[shown_[i]] = static_cast<int>(i);
}

void RomListModel::Reshow() {
  // The view keeps its selection through a layout change by persistent indexes, moved here.
  emit layoutAboutToBeChanged();
  const QModelIndexList before = persistentIndexList();
  std::vector<std::uint32_t> listRows;
  for (const QModelIndex& index : before) listRows.push_back(shown_[static_cast<size_t>(index.row())]);
  shown_ = FilterRows(list_.entries, facts_, filter_);
  SortRows(shown_, list_.entries, facts_, sortColumn_, sortDescending_);
  IndexShownRows();
  QModelIndexList after;
  for (size_t i = 0; i < listRows.size(); ++i) {
    const int row = shownRow_[listRows[i]];
    after.push_back(row < 0 ? QModelIndex() : index(row, before[static_cast<int>(i)].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged();
}

void RomListModel::SetFilter(const std::string& text) {
  if (text == filter_) return;
  filter_ = text;
  Reshow();
}

void RomListModel::SetSort(ListColumn column, bool descending) {
  if (column == sortColumn_ && descending == sortDescending_) return;
  sortColumn_ = column;
  sortDescending_ = descending;
  Reshow();
}

void RomListModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kListColumns) return;
  SetSort(static_cast<ListColumn>(column), order == Qt::DescendingOrder);
}

void RomListModel::SetFacts(const std::vector<std::pair<std::uint32_t, EntryFacts>>& found) {
  int first = Count(), last = -1;
  if (facts_.empty()) facts_.resize(list_.entries.size());
  if (shownRow_.size() != list_.entries.size()) IndexShownRows();
  for (const auto& [listRow, facts] : found) {
    if (listRow >= facts_.size()) continue;
    // The records' part (star, starts) is the model's own; the scan brings the file's.
    EntryFacts& known = facts_[listRow];
    known.size = facts.size;
    known.title = facts.title;
    known.region = facts.region;
    const int row = shownRow_[listRow];
    if (row >= 0) first = std::min(first, row), last = std::max(last, row);
  }
  // A title may bring a line into the search's result, or move it in a sort by the scan's facts.
  const bool reorders = !filter_.empty() || sortColumn_ == ListColumn::Title ||
                        sortColumn_ == ListColumn::Region || sortColumn_ == ListColumn::Size;
  if (reorders) {
    Reshow();
  } else if (last >= 0) {
    emit dataChanged(index(first, 1), index(last, kListColumns - 1));
  }
}

std::optional<ListEntry> RomListModel::EntryAt(int row) const {
  if (row < 0 || row >= Count()) return std::nullopt;
  return list_.entries[shown_[static_cast<size_t>(row)]];
}

const EntryFacts* RomListModel::FactsAt(int row) const {
  if (row < 0 || row >= Count()) return nullptr;
  return &FactsOf(shown_[static_cast<size_t>(row)]);
}

const EntryFacts& RomListModel::FactsOf(size_t listRow) const {
  static const EntryFacts kNone;
  return listRow < facts_.size() ? facts_[listRow] : kNone;
}

std::string RomListModel::FolderAt(int row) const {
  if (row < 0 || row >= Count()) return shownFolder_;
  return list_.FolderOf(shown_[static_cast<size_t>(row)], shownFolder_);
}

std::string RomListModel::PathAt(int row) const {
  if (row < 0 || row >= Count()) return {};
  return list_.PathOf(shown_[static_cast<size_t>(row)], shownFolder_);
}

int RomListModel::RowOfFile(std::string_view fileName, std::string_view folder) const {
  for (size_t i = 0; i < shown_.size(); ++i) {
    const ListEntry entry = list_.entries[shown_[i]];
    if (entry.IsFile() && entry.fileName == fileName &&
        (folder.empty() || list_.FolderOf(shown_[i], shownFolder_) == folder))
      return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::pair<std::uint32_t, std::string>> RomListModel::FilePaths() const {
  std::vector<std::pair<std::uint32_t, std::string>> paths;
  for (size_t row = 0; row < list_.entries.size(); ++row) {
    if (list_.entries[row].IsFile()) paths.emplace_back(static_cast<std::uint32_t>(row), list_.PathOf(row, shownFolder_));
  }
  return paths;
}

void RomListModel::MeasureLines() {
  // Every line of the list view gets the size of the widest name, so the view can lay out
  // thousands of lines without measuring each one. Measuring only the names longest in bytes keeps
  // this cheap; a margin absorbs the difference between wide and narrow letters. They are kept in
  // a small heap whose top is the shortest of them.
  constexpr size_t kMeasured = 64;
  std::vector<std::pair<size_t, size_t>> longest;  // name size and row
  longest.reserve(kMeasured + 1);
  auto longer = [](const std::pair<size_t, size_t>& a, const std::pair<size_t, size_t>& b) {
    return a.first > b.first;
  };
  for (size_t row = 0; row < list_.entries.size(); ++row) {
    const ListEntry entry = list_.entries[row];
    // A file shows its caption or, beside one that reads alike, its whole name: the longer bounds it.
    const size_t size = entry.IsFile() ? entry.fileName.size() : entry.caption.size();
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
  for (const auto& [size, row] : longest) width = std::max(width, metrics.horizontalAdvance(Name(row)));
  // Room for the star a favourite's name gets, where the list has one: the star is no letter of the
  // list's font, and finding the font that has it costs a start of KIVO a millisecond.
  const bool starred = std::any_of(facts_.begin(), facts_.end(), [](const EntryFacts& f) { return f.favourite; });
  if (starred) width += metrics.horizontalAdvance(kStar);
  itemSize_ = QSize(16 + 6 + width + 12, std::max(18, metrics.height() + 2));
}

bool RomListModel::SharesCaption(size_t listRow) const {
  return list_.source == ListSource::Folder ? NeighbourSharesCaption(list_.entries, listRow) : sharedCaptions_[listRow];
}

QString RomListModel::Name(size_t listRow) const {
  const ListEntry entry = list_.entries[listRow];
  // Names that would read alike show their extensions.
  const std::string_view name = SharesCaption(listRow) ? entry.fileName : entry.caption;
  return widgets::FromBytes(std::string(name));
}

QVariant RomListModel::Column(size_t listRow, int column) const {
  const ListEntry entry = list_.entries[listRow];
  const EntryFacts& facts = FactsOf(listRow);
  switch (static_cast<ListColumn>(column)) {
    case ListColumn::Name:
      return facts.favourite ? kStar + Name(listRow) : Name(listRow);
    case ListColumn::Title:
      return QString::fromStdString(facts.title);
    case ListColumn::Region:
      return QString::fromStdString(facts.region);
    case ListColumn::Size:
      return SizeText(entry.IsFile() ? facts.size : -1);
    case ListColumn::Type:
      return entry.IsFile() ? QString(entry.kind >= kZipArchive ? "ZIP" : "ROM") : QString();
    case ListColumn::LastPlayed:
      return TimeText(facts.lastStart);
    case ListColumn::Played:
      return facts.starts > 0 ? QString::number(facts.starts) : QString();
  }
  return {};
}

int RomListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }

int RomListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kListColumns; }

QVariant RomListModel::data(const QModelIndex& index, int role) const {
  if (index.row() < 0 || index.row() >= Count()) return {};
  const size_t listRow = shown_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return Column(listRow, index.column());
    case Qt::DecorationRole:
      return index.column() == 0 ? icons_[static_cast<size_t>(list_.entries[listRow].kind)] : QVariant();
    case Qt::ToolTipRole: {
      // The whole name, which a narrow column or the list's common width may cut, and the title.
      const ListEntry entry = list_.entries[listRow];
      QString tip = widgets::FromBytes(std::string(entry.IsFile() ? entry.fileName : entry.caption));
      if (!FactsOf(listRow).title.empty()) tip += "\n" + QString::fromStdString(FactsOf(listRow).title);
      return tip;
    }
    case Qt::TextAlignmentRole:
      return index.column() == static_cast<int>(ListColumn::Size) || index.column() == static_cast<int>(ListColumn::Played)
                 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                 : QVariant();
    case Qt::SizeHintRole:
      return index.column() == 0 ? QVariant(itemSize_) : QVariant();
    default:
      return {};
  }
}

QVariant RomListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kListColumns) return {};
  return QString(kHeaders[section]);
}

}  // namespace kivo::browser
