// The preview of the selected entry's screenshot, and filing the emulator's last screenshot.
#include "app/ui/main_form.h"
#include "browser/list_entry.h"
#include "screenshots/archive_screenshot.h"
#include "screenshots/preview_lookup.h"
#include "screenshots/ui/picture_holder.h"
#include "screenshots/ui/preview_image.h"

void TMainForm::ShowTitlePicture() {
  imgPreview0->SetGraphic(picture_holder::LoadResource(":/title.bmp"));
  Preview.TitleLoaded();
}

void TMainForm::ShowSelectionPreview() {
  const ListEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  // Nothing is remembered between selections: the media folder and the files are looked at anew.
  PreviewFile file = FindPreview(Settings().ReadString("General", "MediaPath", ""), entry->caption);
  if (file.format == PreviewFormat::kNone) {
    if (Preview.NoScreenshot()) imgPreview0->SetGraphic(picture_holder::LoadResource(":/title.bmp"));
    return;
  }
  // A file that cannot be decoded raises here: the previous picture stays, and so does the state.
  imgPreview0->SetGraphic(picture_holder::LoadFromFile(file.path));
  Preview.ScreenshotLoaded();
}

void TMainForm::Archivescreenshot1Click() {
  const ListEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  SettingsFile& settings = Settings();
  // The outcome is not reported: a missing screenshot or an occupied name simply files nothing.
  ArchiveScreenshot(settings.ReadString("General", "SavegamePath", ""), settings.ReadString("General", "MediaPath", ""),
                    entry->caption);
}
