// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "window_shown.h"

#include <QCoreApplication>
#include <QListView>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>

bool WaitUntilShown(QWidget& window, QListView* list) {
  auto listReady = [list] {
    if (list == nullptr) return true;
    int rows = list->model()->rowCount();
    return rows > 0 && list->visualRect(list->model()->index(rows - 1, 0)).isValid();
  };
  for (int round = 0; round < 100000; ++round) {
    if (window.windowHandle() != nullptr && window.windowHandle()->isExposed() && listReady()) {
      // Whatever the last round left to paint (the list's rows laid out after the first expose,
      // say) is painted before the window counts as shown.
      QCoreApplication::sendPostedEvents();
      QCoreApplication::processEvents();
      return true;
    }
    QCoreApplication::processEvents();
  }
  return false;
}

bool ReportShown(const char* path) {
  const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now().time_since_epoch()).count();
  std::FILE* file = std::fopen(path, "w");
  if (file == nullptr) return false;
  const bool written = std::fprintf(file, "%lld\n", now) > 0;
  return std::fclose(file) == 0 && written;
}
