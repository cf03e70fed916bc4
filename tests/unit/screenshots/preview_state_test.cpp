// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/preview_state.h"

#include <gtest/gtest.h>

using namespace kivo::screenshots;

namespace {

// The window tests show the title loaded once for a row of entries without screenshots. What they
// cannot reach is a start-up an error stopped before the title picture: the first miss loads it.
TEST(PreviewState, TheFirstMissAfterAScreenshotOrAStartUpWithoutTheTitleLoadsIt) {
  PreviewState state;
  EXPECT_TRUE(state.NoScreenshot());
  EXPECT_FALSE(state.NoScreenshot());
  state.ScreenshotLoaded();
  state.ScreenshotLoaded();
  EXPECT_FALSE(state.TitleShown());
  EXPECT_TRUE(state.NoScreenshot());
}

}  // namespace
