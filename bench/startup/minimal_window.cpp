// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The anchor of the start-up figure: the smallest Qt Widgets program that shows a window with a
// line of text, saying when the window is on screen (into the file named first) and ending then.
#include <QApplication>
#include <QLabel>
#include <cstdlib>

#include "window_shown.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  QApplication app(argc, argv);
  QLabel window("Hello");
  window.resize(685, 568);
  window.show();
  std::_Exit(WaitUntilShown(window) && ReportShown(argv[1]) ? 0 : 3);
}
