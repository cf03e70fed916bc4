#include "screenshots/preview_state.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewState, TitleIsLoadedOnlyWhenAScreenshotGivesWayToNone) {
  PreviewState state;
  EXPECT_FALSE(state.TitleShown());
  state.TitleLoaded();  // start-up
  EXPECT_TRUE(state.TitleShown());

  // Entries without screenshots right after start-up keep the title that is already shown.
  EXPECT_FALSE(state.NoScreenshot());
  EXPECT_FALSE(state.NoScreenshot());

  state.ScreenshotLoaded();
  EXPECT_FALSE(state.TitleShown());
  // Three entries without screenshots in a row: one title load.
  int loads = 0;
  for (int i = 0; i < 3; ++i) loads += state.NoScreenshot() ? 1 : 0;
  EXPECT_EQ(loads, 1);
  EXPECT_TRUE(state.TitleShown());
}

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
