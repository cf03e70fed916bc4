// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <span>

namespace kivo::app {

// A rectangle on the desktop, in pixels: its top left corner and its size.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// How much of the window's title region (its top strip) must lie on one screen for the user to
// grab it and drag the window back: then the stored place is kept.
inline constexpr int kGrabWidth = 100;
inline constexpr int kGrabHeight = 50;

// Where the window stored at `stored` opens, given the screens' available rectangles. A place
// stored under another screen layout or display scale may lie off every screen; such a window is
// moved onto the screen nearest to it, whole when it fits, shrunk to that screen when it does not.
// A window whose title region shows at least kGrabWidth x kGrabHeight pixels on some screen stays
// where it is, as does any window when no screen is known.
Rect PlaceWindow(std::span<const Rect> screens, const Rect& stored);

}  // namespace kivo::app
