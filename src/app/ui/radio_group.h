// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

namespace kivo::app {

// A framed group of radio buttons addressed by index, -1 meaning none is selected.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

  // Replaces the items; afterwards none is selected (nothing is emitted). The same items change nothing.
  void SetItems(const QStringList& items);
  QStringList Items() const;

  int ItemIndex() const { return index_; }
  int Count() const { return static_cast<int>(buttons_.size()); }
  // Sets the selection, the index clamped to -1..last; emits Changed when it moved to an item.
  void SetItemIndex(int index);
  class QRadioButton* Button(int index) const {
    return buttons_.at(index);
  }

 signals:
  // The selection moved to an item, by the user or by SetItemIndex.
  void Changed();

 private:
  QButtonGroup* group_;
  class QVBoxLayout* layout_;
  QList<class QRadioButton*> buttons_;
  int index_ = -1;
};

}  // namespace kivo::app
