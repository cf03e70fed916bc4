// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QListView>
#include <QTreeView>

#include "browser/ui/list_keys.h"

namespace kivo::browser {

// The ROM list's list view: the entries in columns, as a file browser's list mode.
class RomList : public QListView {
  Q_OBJECT

 public:
  explicit RomList(QWidget* parent = nullptr);

  // A key let go in the list, as the key's release event hands it on.
  void ListViewKeyUp(int key);

 signals:
  void Clicked();
  void Opened();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Act(ListKeys::Act act);
  ListKeys keys_;
};

// The ROM list's details view: one line per entry with its title, region, size, type and starts;
// a click on a column's header sorts by it, another reverses the order.
class RomDetails : public QTreeView {
  Q_OBJECT

 public:
  explicit RomDetails(QWidget* parent = nullptr);

 signals:
  void Clicked();
  void Opened();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Act(ListKeys::Act act);
  ListKeys keys_;
};

}  // namespace kivo::browser
