// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QToolButton;

namespace kivo::widgets {

// A pair of arrow buttons stepping a position within a range, without wrap-around; the text it
// steps is shown by a separate edit, as on the Setup tab's cache row.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  UpDown(int minimum, int maximum, QWidget* parent = nullptr);

  int Position() const { return position_; }
  // Sets the position, clamped to the range; runs nothing.
  void SetPosition(int position);
  // As narrow as the design's arrows, as tall as a line of text in a field.
  QSize sizeHint() const override;

 signals:
  // The user clicked an arrow and the position changed.
  void Clicked();

 private:
  void Step(int delta);

  int minimum_;
  int maximum_;
  int position_;
};

}  // namespace kivo::widgets
