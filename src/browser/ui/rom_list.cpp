// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/ui/rom_list.h"

#include <QHeaderView>

namespace kivo::browser {

RomList::RomList(QWidget* parent) : QListView(parent) {
  setObjectName("ListView");
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

void RomList::Act(ListKeys::Act act) {
  if (act == ListKeys::Act::Click) emit Clicked();
  if (act == ListKeys::Act::Open) emit Opened();
}

void RomList::keyPressEvent(QKeyEvent* event) {
  keys_.Press(*event);
  QListView::keyPressEvent(event);
}

void RomList::keyReleaseEvent(QKeyEvent* event) {
  QListView::keyReleaseEvent(event);
  Act(keys_.Release(*event));
}

void RomList::ListViewKeyUp(int key) { Act(keys_.KeyUp(key)); }

void RomList::mouseReleaseEvent(QMouseEvent* event) {
  QListView::mouseReleaseEvent(event);
  Act(ListKeys::MouseRelease(*event));
}

RomDetails::RomDetails(QWidget* parent) : QTreeView(parent) {
  setObjectName("DetailsView");
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setIconSize(QSize(16, 16));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSortingEnabled(true);
  header()->setSortIndicatorShown(true);
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(false);
  connect(this, &QAbstractItemView::doubleClicked, this, &RomDetails::Opened);
}

void RomDetails::Act(ListKeys::Act act) {
  if (act == ListKeys::Act::Click) emit Clicked();
  if (act == ListKeys::Act::Open) emit Opened();
}

void RomDetails::keyPressEvent(QKeyEvent* event) {
  keys_.Press(*event);
  QTreeView::keyPressEvent(event);
}

void RomDetails::keyReleaseEvent(QKeyEvent* event) {
  QTreeView::keyReleaseEvent(event);
  Act(keys_.Release(*event));
}

void RomDetails::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  Act(ListKeys::MouseRelease(*event));
}

}  // namespace kivo::browser
