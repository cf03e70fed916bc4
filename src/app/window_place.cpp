// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/window_place.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kivo::app {

namespace {

// How far two spans overlap; 0 where they do not. In 64 bits: a stored place may be any number.
int64_t Overlap(int64_t firstStart, int64_t firstEnd, int64_t secondStart, int64_t secondEnd) {
  return std::max<int64_t>(0, std::min(firstEnd, secondEnd) - std::max(firstStart, secondStart));
}

bool ShowsTitle(const Rect& screen, const Rect& window) {
  const int titleHeight = std::min(window.height, kGrabHeight);
  const int64_t wide = Overlap(window.left, int64_t{window.left} + window.width, screen.left, screen.Right());
  const int64_t high = Overlap(window.top, int64_t{window.top} + titleHeight, screen.top, screen.Bottom());
  return wide >= std::min(window.width, kGrabWidth) && high >= titleHeight && titleHeight > 0;
}

// How far the window's centre is from the screen: 0 inside it. Squared, in 64 bits: desktops span
// tens of thousands of pixels.
int64_t DistanceSquared(const Rect& screen, const Rect& window) {
  const int64_t x = int64_t{window.left} + window.width / 2;
  const int64_t y = int64_t{window.top} + window.height / 2;
  const int64_t dx = x < screen.left ? screen.left - x : (x > screen.Right() ? x - screen.Right() : 0);
  const int64_t dy = y < screen.top ? screen.top - y : (y > screen.Bottom() ? y - screen.Bottom() : 0);
  return dx * dx + dy * dy;
}

}  // namespace

Rect PlaceWindow(std::span<const Rect> screens, const Rect& stored) {
  if (std::ranges::any_of(screens, [&](const Rect& screen) { return ShowsTitle(screen, stored); })) return stored;
  const Rect* nearest = nullptr;
  int64_t nearestDistance = std::numeric_limits<int64_t>::max();
  for (const Rect& screen : screens) {
    if (screen.width <= 0 || screen.height <= 0) continue;
    const int64_t distance = DistanceSquared(screen, stored);
    if (distance < nearestDistance) {
      nearest = &screen;
      nearestDistance = distance;
    }
  }
  if (nearest == nullptr) return stored;
  Rect placed = stored;
  placed.width = std::min(stored.width, nearest->width);
  placed.height = std::min(stored.height, nearest->height);
  placed.left = std::clamp(stored.left, nearest->left, nearest->Right() - placed.width);
  placed.top = std::clamp(stored.top, nearest->top, nearest->Bottom() - placed.height);
  return placed;
}

}  // namespace kivo::app
