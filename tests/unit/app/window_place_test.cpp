// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Where a window stored under another screen layout opens.
#include "app/window_place.h"

#include <gtest/gtest.h>

#include <vector>

using kivo::app::PlaceWindow;
using kivo::app::Rect;

namespace {

// A laptop's screen (its task bar taken off) and a second one above it, right of centre, at a
// larger scale, as a desktop lays them out side by side.
const std::vector<Rect> kScreens = {{0, 0, 1280, 760}, {1280, -400, 1920, 1040}};

}  // namespace

// A window the user can grab by its title stays as stored, however little of the rest shows; one
// whose title region is off every screen, or shows less than a handle, is moved.
TEST(WindowPlace, AWindowWhoseTitleCanBeGrabbedStaysWhereItIs) {
  for (const Rect& kept : {Rect{120, 90, 600, 560}, Rect{-500, 700, 600, 560}, Rect{1180, 10, 600, 560},
                           Rect{3100, -400, 600, 560}, Rect{1250, -300, 600, 560}}) {
    EXPECT_EQ(PlaceWindow(kScreens, kept), kept) << kept.left << "," << kept.top;
  }
  // 99 pixels of the title on the first screen, none on the second (the gap above the first).
  EXPECT_NE(PlaceWindow(kScreens, {-501, 100, 600, 560}), (Rect{-501, 100, 600, 560}));
  // The whole title above the first screen, its body on it.
  EXPECT_NE(PlaceWindow(kScreens, {100, -60, 600, 560}), (Rect{100, -60, 600, 560}));
  // 30 of the title's 50 pixels on the screen.
  EXPECT_NE(PlaceWindow(kScreens, {100, 730, 600, 560}), (Rect{100, 730, 600, 560}));
}

// Moved onto the screen nearest to it, as near its stored place as it fits whole; a window larger
// than that screen takes the screen's size.
TEST(WindowPlace, AWindowOffEveryScreenMovesOntoTheNearest) {
  EXPECT_EQ(PlaceWindow(kScreens, {4000, 300, 600, 560}), (Rect{2600, 80, 600, 560}));
  EXPECT_EQ(PlaceWindow(kScreens, {-3000, 2000, 600, 560}), (Rect{0, 200, 600, 560}));
  EXPECT_EQ(PlaceWindow(kScreens, {300, -900, 600, 560}), (Rect{300, 0, 600, 560}));
  EXPECT_EQ(PlaceWindow(kScreens, {1500, -2000, 600, 560}), (Rect{1500, -400, 600, 560}));
  EXPECT_EQ(PlaceWindow(kScreens, {-9000, -9000, 3000, 2000}), (Rect{0, 0, 1280, 760}));
  // A place a display scale multiplied far beyond any desktop.
  EXPECT_EQ(PlaceWindow(kScreens, {2000000000, 2000000000, 600, 560}), (Rect{2600, 80, 600, 560}));
  EXPECT_EQ(PlaceWindow(kScreens, {2147483000, 0, 600, 560}), (Rect{2600, 0, 600, 560}));
}

// With no screen known (or none with an area) nothing better can be said than the stored place.
TEST(WindowPlace, WithoutScreensTheStoredPlaceIsKept) {
  const Rect stored{5000, 5000, 600, 560};
  EXPECT_EQ(PlaceWindow({}, stored), stored);
  const std::vector<Rect> empty = {{0, 0, 0, 0}};
  EXPECT_EQ(PlaceWindow(empty, stored), stored);
}
