// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/ui/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kivo::app {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)), layout_(new QVBoxLayout(this)) {
  layout_->setContentsMargins(8, 4, 4, 4);
  layout_->setSpacing(0);
  SetItems(items);
  connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
    if (id == index_) return;
    index_ = id;
    emit Changed();
  });
}

void RadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, Count() - 1);
  if (index == index_) return;
  index_ = index;
  if (index < 0) {
    // A button group never unchecks its last button by itself.
    group_->setExclusive(false);
    for (QRadioButton* button : buttons_) button->setChecked(false);
    group_->setExclusive(true);
    return;
  }
  buttons_[index]->setChecked(true);
  emit Changed();
}

void RadioGroup::SetItems(const QStringList& items) {
  if (items == Items() && !buttons_.isEmpty()) return;
  for (QRadioButton* button : buttons_) {
    group_->removeButton(button);
    delete button;
  }
  buttons_.clear();
  while (QLayoutItem* item = layout_->takeAt(0)) delete item;
  index_ = -1;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    group_->addButton(button, i);
    buttons_.append(button);
    layout_->addWidget(button);
  }
  layout_->addStretch();
}

QStringList RadioGroup::Items() const {
  QStringList items;
  for (const QRadioButton* button : buttons_) items.append(button->text());
  return items;
}

}  // namespace kivo::app
