// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

class QListView;

// The list as the main window sets it up: small icons with captions in columns, laid out in one
// pass, at the list's share of the window at its designed size.
void ConfigureLikeMainWindow(QListView& view);

// Shows the view and runs the event loop until every row has its place (a row not laid out yet
// has no rectangle), then paints it once. False when the layout does not finish.
bool ShowAndLayOut(QListView& view);
