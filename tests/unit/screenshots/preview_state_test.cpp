// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/preview_state.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewState, StartUpThatNeverLoadedTheTitleLoadsItAtTheFirstMiss) {
  // A start-up stopped by an error before the title picture leaves the preview empty.
  PreviewState state;
  EXPECT_TRUE(state.NoScreenshot());
  EXPECT_FALSE(state.NoScreenshot());
}

TEST(PreviewState, ScreenshotAfterScreenshotKeepsTheTitleOff) {
  PreviewState state;
  state.TitleLoaded();
  state.ScreenshotLoaded();
  state.ScreenshotLoaded();
  EXPECT_FALSE(state.TitleShown());
  EXPECT_TRUE(state.NoScreenshot());
}

}  // namespace
