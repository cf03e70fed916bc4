// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

namespace kivo::browser {

// What a key or a click in either view of the ROM list means: Enter opens the entry when the view
// received its press too; any other key let go, and a left click, act as a click on the entry the
// selection moved to. Both views hand their events here.
class ListKeys {
 public:
  enum class Act { None, Click, Open };

  void Press(const QKeyEvent& event) {
    if (IsEnter(event.key())) enterPressed_ = true;
  }
  Act Release(const QKeyEvent& event) { return event.isAutoRepeat() ? Act::None : KeyUp(event.key()); }
  Act KeyUp(int key) {
    // Closing a message box with Enter hands the key's release to the list, which has the focus
    // again by then; only an Enter pressed in the list starts a game.
    if (IsEnter(key)) return std::exchange(enterPressed_, false) ? Act::Open : Act::None;
    return Act::Click;
  }
  // The view moved its selection on the press; the click acts on it.
  static Act MouseRelease(const QMouseEvent& event) {
    return event.button() == Qt::LeftButton ? Act::Click : Act::None;
  }

 private:
  static bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
  bool enterPressed_ = false;
};

}  // namespace kivo::browser
