// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "screenshots/preview_state.h"
#include "screenshots/ui/preview_image.h"

namespace kivo::screenshots {

// The preview above the option tabs: the title picture at start, then the screenshot of each
// entry the user selects, from the media folder, or the title picture again when it has none.
class PreviewPanel : public PreviewImage {
  Q_OBJECT

 public:
  explicit PreviewPanel(QWidget* parent = nullptr);

  void ShowTitlePicture();
  // Shows the screenshot of the entry of this caption. Nothing is remembered between selections:
  // the media folder and its files are looked at anew. A file that cannot be decoded raises, and
  // the previous picture stays, and so does the state.
  void ShowScreenshotOf(const std::string& mediaFolder, std::string_view caption);
  const PreviewState& State() const { return state_; }

 private:
  PreviewState state_;
};

}  // namespace kivo::screenshots
