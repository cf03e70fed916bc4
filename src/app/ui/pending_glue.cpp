// TEMPORARY: definitions for subsystems not yet wired; removed before landing.
#include "app/ui/main_form.h"
void TMainForm::ShowSelectionPreview() {}
