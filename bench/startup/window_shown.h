// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

class QWidget;
class QListView;

// Runs the event loop until `window` is exposed on its screen and, when given, `list` has laid out
// its last row; then paints the window once. False when that does not happen in a bounded number of
// rounds. Both start-up programs end on this, so they stop their clocks at the same point.
bool WaitUntilShown(QWidget& window, QListView* list = nullptr);

// Writes the moment the window counted as shown (steady_clock's nanoseconds, which every process
// of the machine shares) into the file `path`, for the figure to take the span from its spawn.
// What the program does after it, ending included, is not its start.
bool ReportShown(const char* path);
