// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QListView>
#include <optional>
#include <string_view>

#include "browser/list_entries.h"
#include "browser/list_entry.h"

namespace kivo::browser {

class RomListModel;

// The ROM list: drives, folders, ROMs and archives of the current folder in columns, as a file
// browser's list mode. It says when the user clicks an entry and when the user opens one (a double
// click, or an Enter pressed and released in the list); the window decides what that does.
class RomList : public QListView {
  Q_OBJECT

 public:
  explicit RomList(QWidget* parent = nullptr);

  void SetEntries(ListEntries entries);
  void Clear();
  // The entry selected in the list, if any; its names are valid until the list is filled again.
  std::optional<ListEntry> SelectedEntry() const;
  // Selects the file of this name (as listed, with its extension) and scrolls to it; false when the
  // list holds no such file, which leaves the selection as it was.
  bool SelectFile(std::string_view fileName);

  // A key let go in the list: Enter opens the entry when the list received its press too; any
  // other key acts as a click on the entry the key moved to.
  void ListViewKeyUp(int key);

 signals:
  void Clicked();
  void Opened();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  RomListModel* model_;
  bool enterPressed_ = false;  // the list received the press of the Enter it is released from
};

}  // namespace kivo::browser
