// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/ui/rom_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

#include "browser/ui/rom_list_model.h"

namespace kivo::browser {

namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

RomList::RomList(QWidget* parent) : QListView(parent), model_(new RomListModel(this)) {
  setObjectName("ListView");
  setModel(model_);
  setViewMode(QListView::ListMode);
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  // Uniform sizes make laying out even 20,000 entries a matter of arithmetic, so the list is laid
  // out in one pass; batches would paint it once per batch.
  setUniformItemSizes(true);
  setIconSize(QSize(16, 16));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QAbstractItemView::doubleClicked, this, &RomList::Opened);
}

void RomList::SetEntries(ListEntries entries) {
  // The lines' common size follows from the font the list draws with: the window's, by now.
  model_->SetFont(font());
  model_->SetEntries(std::move(entries));
}

void RomList::Clear() { model_->Clear(); }

std::optional<ListEntry> RomList::SelectedEntry() const {
  QModelIndex index = currentIndex();
  if (!index.isValid() || !selectionModel()->isSelected(index)) return std::nullopt;
  return model_->EntryAt(index.row());
}

bool RomList::SelectFile(std::string_view fileName) {
  for (int row = 0; row < model_->Count(); ++row) {
    const std::optional<ListEntry> entry = model_->EntryAt(row);
    if (!entry->IsFile() || entry->fileName != fileName) continue;
    const QModelIndex index = model_->index(row);
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
    return true;
  }
  return false;
}

void RomList::keyPressEvent(QKeyEvent* event) {
  if (IsEnter(event->key())) enterPressed_ = true;
  QListView::keyPressEvent(event);
}

void RomList::keyReleaseEvent(QKeyEvent* event) {
  QListView::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) ListViewKeyUp(event->key());
}

void RomList::ListViewKeyUp(int key) {
  if (IsEnter(key)) {
    // Closing a message box with Enter hands the key's release to the list, which has the focus
    // again by then; only an Enter pressed in the list starts a game.
    if (std::exchange(enterPressed_, false)) emit Opened();
  } else {
    emit Clicked();
  }
}

void RomList::mouseReleaseEvent(QMouseEvent* event) {
  QListView::mouseReleaseEvent(event);
  // The list moved its selection on the press; the click acts on it.
  if (event->button() == Qt::LeftButton) emit Clicked();
}

}  // namespace kivo::browser
