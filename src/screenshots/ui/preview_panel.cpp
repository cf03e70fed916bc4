// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "screenshots/ui/preview_panel.h"

#include "screenshots/preview_lookup.h"
#include "screenshots/ui/picture_holder.h"

namespace kivo::screenshots {

PreviewPanel::PreviewPanel(QWidget* parent) : PreviewImage(parent) { setObjectName("imgPreview0"); }

void PreviewPanel::ShowTitlePicture() {
  SetGraphic(picture_holder::LoadResource(":/title.bmp"));
  state_.TitleLoaded();
}

void PreviewPanel::ShowScreenshotOf(const std::string& mediaFolder, std::string_view caption) {
  PreviewFile file = FindPreview(mediaFolder, caption);
  if (file.format == PreviewFormat::kNone) {
    if (state_.NoScreenshot()) SetGraphic(picture_holder::LoadResource(":/title.bmp"));
    return;
  }
  SetGraphic(picture_holder::LoadFromFile(file.path));
  state_.ScreenshotLoaded();
}

}  // namespace kivo::screenshots
