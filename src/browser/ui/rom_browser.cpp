// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/ui/rom_browser.h"

#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStackedWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "browser/ui/rom_list.h"
#include "browser/ui/rom_list_model.h"
#include "browser/ui/title_loader.h"
#include "widgets/dialogs.h"

namespace kivo::browser {

namespace {

// A folder's files written one after another (a copy, an unpack) come as a burst of changes: the
// list is made again once the burst is over.
constexpr int kSettleMs = 300;

}  // namespace

RomBrowser::RomBrowser(QWidget* parent)
    : QWidget(parent),
      model_(new RomListModel(this)),
      search_(new QLineEdit(this)),
      views_(new QStackedWidget(this)),
      list_(new RomList),
      titles_(new TitleLoader(this)),
      watcher_(new QFileSystemWatcher(this)) {
  setObjectName("RomBrowser");
  search_->setObjectName("SearchEdit");
  search_->setPlaceholderText("Search (Ctrl+F)");
  search_->setToolTip("Shows only the games whose name or title holds this text; Esc clears it");
  search_->setClearButtonEnabled(true);
  search_->installEventFilter(this);
  connect(search_, &QLineEdit::textChanged, this, [this] { OnSearchEdited(); });

  list_->setModel(model_);
  views_->addWidget(list_);
  list_->viewport()->installEventFilter(this);
  setFocusProxy(list_);
  connect(list_, &RomList::Clicked, this, &RomBrowser::Clicked);
  connect(list_, &RomList::Opened, this, &RomBrowser::Opened);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  searchRow_ = new QHBoxLayout;
  searchRow_->setContentsMargins(0, 0, 0, 0);
  searchRow_->addWidget(search_, 1);
  layout->addLayout(searchRow_);
  layout->addWidget(views_, 1);

  connect(titles_, &TitleLoader::Found, model_, &RomListModel::SetFacts);
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, &RomBrowser::FolderChanged);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { settle_.start(); });
}

RomBrowser::~RomBrowser() { titles_->Stop(); }

void RomBrowser::SetViewSetup(std::function<void(QAbstractItemView*)> setup) {
  viewSetup_ = std::move(setup);
  viewSetup_(list_);
  if (details_ != nullptr) viewSetup_(details_);
}

RomDetails* RomBrowser::MadeDetails() {
  // Made when first shown: a hidden header still sizes its sections for a bold font, which costs
  // the list view's start the loading of one more font.
  if (details_ != nullptr) return details_;
  details_ = new RomDetails;
  // The sort shown is the list's before the view takes the model, which it then sorts by it.
  ShowSortIndicator();
  details_->setModel(model_);
  // One selection for both views: switching views keeps the entry chosen.
  details_->setSelectionModel(list_->selectionModel());
  // Room for a name and a title of the usual length; the rest fit their texts.
  const int widths[kListColumns] = {230, 190, 70, 70, 45, 115, 50};
  for (int column = 0; column < kListColumns; ++column) details_->header()->resizeSection(column, widths[column]);
  connect(details_->header(), &QHeaderView::sortIndicatorChanged, this,
          [this](int column, Qt::SortOrder order) {
            emit SortChanged(static_cast<ListColumn>(column), order == Qt::DescendingOrder);
          });
  views_->addWidget(details_);
  details_->viewport()->installEventFilter(this);
  connect(details_, &RomDetails::Clicked, this, &RomBrowser::Clicked);
  connect(details_, &RomDetails::Opened, this, &RomBrowser::Opened);
  if (viewSetup_) viewSetup_(details_);
  return details_;
}

void RomBrowser::SetTitleTable(std::string path) { titles_->SetTablePath(std::move(path)); }

void RomBrowser::SetList(GameList list, std::vector<EntryFacts> facts, const std::string& shownFolder) {
  // The same file listed again stays selected (a refresh, a file added beside it).
  std::optional<std::pair<std::string, std::string>> selected;
  if (const std::optional<ListEntry> entry = SelectedEntry(); entry && entry->IsFile())
    selected.emplace(std::string(entry->fileName), SelectedFolder());
  titles_->Stop();
  const bool gathered = list.source != ListSource::Folder;
  model_->SetFont(font());
  model_->SetList(std::move(list), std::move(facts), shownFolder);
  if (selected) SelectFile(selected->first, selected->second);
  Watch(gathered ? std::string() : shownFolder);
  titlesWanted_ = true;
  if (painted_) ReadTitles();
}

void RomBrowser::ReadTitles() {
  if (!titlesWanted_) return;
  titlesWanted_ = false;
  titles_->Start(model_->FilePaths());
}

void RomBrowser::Clear() {
  titles_->Stop();
  titlesWanted_ = false;
  Watch({});
  model_->Clear();
}

void RomBrowser::Watch(const std::string& folder) {
  if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
  settle_.stop();
  if (!folder.empty()) watcher_->addPath(widgets::FromBytes(folder));
}

std::optional<ListEntry> RomBrowser::SelectedEntry() const {
  const QModelIndex index = list_->currentIndex();
  if (!index.isValid() || !list_->selectionModel()->isSelected(index)) return std::nullopt;
  return model_->EntryAt(index.row());
}

std::string RomBrowser::SelectedFolder() const { return model_->FolderAt(list_->currentIndex().row()); }

const EntryFacts* RomBrowser::SelectedFacts() const {
  return SelectedEntry() ? model_->FactsAt(list_->currentIndex().row()) : nullptr;
}

bool RomBrowser::SelectFile(std::string_view fileName, std::string_view folder) {
  const int row = model_->RowOfFile(fileName, folder);
  if (row < 0) return false;
  const QModelIndex index = model_->index(row, 0);
  list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  View()->scrollTo(index);
  return true;
}

void RomBrowser::SetDetails(bool details) {
  views_->setCurrentWidget(details ? static_cast<QWidget*>(MadeDetails()) : list_);
  setFocusProxy(View());
  if (list_->currentIndex().isValid()) View()->scrollTo(list_->currentIndex());
}

bool RomBrowser::Details() const { return details_ != nullptr && views_->currentWidget() == details_; }

QAbstractItemView* RomBrowser::View() const {
  return Details() ? static_cast<QAbstractItemView*>(details_) : static_cast<QAbstractItemView*>(list_);
}

void RomBrowser::AddToSearchRow(QWidget* control) { searchRow_->addWidget(control); }


void RomBrowser::SetSort(ListColumn column, bool descending) {
  model_->SetSort(column, descending);
  if (details_ != nullptr) ShowSortIndicator();
}

void RomBrowser::ShowSortIndicator() {
  details_->header()->setSortIndicator(static_cast<int>(model_->SortColumn()),
                                       model_->SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void RomBrowser::FocusSearch() {
  search_->setFocus(Qt::ShortcutFocusReason);
  search_->selectAll();
}

void RomBrowser::ClearSearch() { search_->clear(); }

bool RomBrowser::TitlesBusy() const { return titlesWanted_ || titles_->Busy(); }

void RomBrowser::OnSearchEdited() {
  model_->SetFilter(widgets::ToBytes(search_->text()));
  const QModelIndex current = list_->currentIndex();
  if (current.isValid()) View()->scrollTo(current);
}

bool RomBrowser::eventFilter(QObject* watched, QEvent* event) {
  if (!painted_ && event->type() == QEvent::Paint && watched != search_) {
    painted_ = true;
    QTimer::singleShot(0, this, [this] { ReadTitles(); });
  }
  if (watched == search_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape && !search_->text().isEmpty()) {
      ClearSearch();
      return true;
    }
    // Down from the search field goes on to the games it found.
    if (key == Qt::Key_Down) {
      View()->setFocus(Qt::TabFocusReason);
      if (!list_->currentIndex().isValid() && model_->Count() > 0)
        list_->selectionModel()->setCurrentIndex(model_->index(0, 0), QItemSelectionModel::ClearAndSelect);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kivo::browser
