// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The anchor of the start-up figure: the smallest Qt Widgets program that shows a window with a
// line of text, ending the moment the window is on screen.
#include <QApplication>
#include <QLabel>
#include <cstdlib>

#include "window_shown.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel window("Hello");
  window.resize(685, 568);
  window.show();
  std::_Exit(WaitUntilShown(window) ? 0 : 3);
}
