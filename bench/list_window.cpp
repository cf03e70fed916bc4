// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "list_window.h"

#include <QCoreApplication>
#include <QFont>
#include <QListView>

void ConfigureLikeMainWindow(QListView& view) {
  QFont font("Sans Serif");
  font.setPixelSize(11);
  view.setFont(font);
  view.setViewMode(QListView::ListMode);
  view.setFlow(QListView::TopToBottom);
  view.setWrapping(true);
  view.setResizeMode(QListView::Adjust);
  view.setUniformItemSizes(true);
  view.setIconSize(QSize(16, 16));
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setSelectionMode(QAbstractItemView::SingleSelection);
  view.resize(428, 530);
}

bool ShowAndLayOut(QListView& view) {
  view.show();
  const QModelIndex last = view.model()->index(view.model()->rowCount() - 1, 0);
  for (int round = 0; !view.visualRect(last).isValid(); ++round) {
    if (round == 100000) return false;
    QCoreApplication::processEvents();
  }
  view.viewport()->repaint();
  return true;
}
