// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "widgets/up_down.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kivo::widgets {

UpDown::UpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), position_(minimum) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (int delta : {+1, -1}) {
    auto* button = new QToolButton(this);
    button->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setObjectName(delta > 0 ? "up" : "down");
    // The arrows share whatever height the row gives.
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    connect(button, &QToolButton::clicked, this, [this, delta] { Step(delta); });
    layout->addWidget(button);
  }
}

QSize UpDown::sizeHint() const { return {15, fontMetrics().height() + 8}; }

void UpDown::SetPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void UpDown::Step(int delta) {
  int next = std::clamp(position_ + delta, minimum_, maximum_);
  if (next == position_) return;
  position_ = next;
  emit Clicked();
}

}  // namespace kivo::widgets
