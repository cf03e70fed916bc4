// TEMPORARY: definitions for subsystems not yet wired; removed before landing.
#include "app/ui/main_form.h"
void TMainForm::LoadConfig(const std::string&) {}
void TMainForm::RunSliderActions() {}
void TMainForm::SwitchConfiguration() {}
void TMainForm::mnuToggleConfigClick() {}
void TMainForm::ShowSelectionPreview() {}
void TMainForm::RunRom() {}
void TMainForm::CreateZipCache(int) {}
void TMainForm::DestroyZipCache() {}
