// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

namespace kivo::screenshots {

// Whether the preview shows the title picture. The window glue drives it: the title picture is
// loaded at start-up and afterwards only when the preview goes from a screenshot to none, so
// running through a row of entries without screenshots does not reload it each time.
class PreviewState {
 public:
  bool TitleShown() const { return titleShown_; }

  // The title picture was put into the preview (start-up).
  void TitleLoaded() { titleShown_ = true; }

  // A screenshot was loaded successfully. A load that raised leaves the state as it was, since the
  // previous picture stays on screen.
  void ScreenshotLoaded() { titleShown_ = false; }

  // A lookup found no screenshot. Returns true when the title picture must be loaded now; either
  // way the preview counts as showing the title afterwards.
  bool NoScreenshot() {
    bool mustLoad = !titleShown_;
    titleShown_ = true;
    return mustLoad;
  }

 private:
  bool titleShown_ = false;
};

}  // namespace kivo::screenshots
