// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The preview of the selected entry's screenshot, and filing the emulator's last screenshot.
#include "app/options.h"
#include "app/ui/main_form.h"
#include "browser/list_entry.h"
#include "common/path.h"
#include "launch/emulator_screenshot.h"
#include "platform/dirs.h"
#include "screenshots/preview_lookup.h"
#include "screenshots/ui/picture_holder.h"
#include "screenshots/ui/preview_image.h"
#include "zipcache/zip_cache.h"

void TMainForm::ShowTitlePicture() {
  imgPreview0->SetGraphic(picture_holder::LoadResource(":/title.bmp"));
  Preview.TitleLoaded();
}

void TMainForm::ShowSelectionPreview() {
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry) return;
  // Nothing is remembered between selections: the media folder and the files are looked at anew.
  PreviewFile file = FindPreview(Settings().ReadString(option::MediaPath, ""), entry->caption);
  if (file.format == PreviewFormat::kNone) {
    if (Preview.NoScreenshot()) imgPreview0->SetGraphic(picture_holder::LoadResource(":/title.bmp"));
    return;
  }
  // A file that cannot be decoded raises here: the previous picture stays, and so does the state.
  imgPreview0->SetGraphic(picture_holder::LoadFromFile(file.path));
  Preview.ScreenshotLoaded();
}

void TMainForm::Archivescreenshot1Click() {
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry) return;
  const std::string folder = platform::GetCurrentDir();
  // The emulator names its snapshots after the ROM file it was given: for an archive, the file the
  // cache unpacked from it.
  std::string romFile(entry->fileName);
  if (IsZipName(entry->fileName) && ZipCache) {
    std::string cached = ZipCache->FindCachedRom(AddBackslash(folder) + romFile);
    if (!cached.empty()) romFile = ExtractFileName(cached);
  }
  // The outcome is not reported: a missing screenshot or an occupied name simply files nothing.
  ArchiveEmulatorScreenshot(Settings(), entry->caption, romFile, folder);
}
