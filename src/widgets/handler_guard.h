// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace kivo::widgets {

class Dialogs;

// The one boundary between the window's handlers and Qt's event loop: a handler runs inside Run,
// and an error it raises ends it with the application's error report. Every panel of the window
// runs its handlers through the window's guard, so no error crosses Qt's code.
class HandlerGuard {
 public:
  HandlerGuard(Dialogs& dialogs, QWidget* owner) : dialogs_(dialogs), owner_(owner) {}

  void Run(const std::function<void()>& handler);
  void Report(const std::string& message);
  // The handler wrapped for a signal: connect(sender, signal, receiver, guard.Wrap(handler)).
  std::function<void()> Wrap(std::function<void()> handler) {
    return [this, handler = std::move(handler)] { Run(handler); };
  }

  Dialogs& Ask() { return dialogs_; }

 private:
  Dialogs& dialogs_;
  QWidget* owner_;
};

}  // namespace kivo::widgets
