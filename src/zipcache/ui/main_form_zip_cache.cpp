// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The zip cache's place in the window: created with the window, its limit row on the Setup tab,
// and the File menu's Unzip command.
#include <QLineEdit>
#include <QPushButton>

#include "app/options.h"
#include "app/ui/main_form.h"
#include "app/ui/up_down.h"
#include "platform/dirs.h"
#include "zipcache/unzip_command.h"
#include "zipcache/zip_cache.h"

void TMainForm::CreateZipCache(int limit) {
  ZipCache = std::make_unique<TZipCache>(Context().appDir + "/zipcache", limit);
}

void TMainForm::DestroyZipCache() {
  // Saves the cache table.
  ZipCache.reset();
}

void TMainForm::UpDownCacheClick() {
  EditCacheSize->setText(QString::number(UpDownCache->Position()));
  btnCache->setEnabled(true);
}

void TMainForm::btnCacheClick() {
  Settings().WriteInteger(option::CacheSize, UpDownCache->Position());
  if (ZipCache) ZipCache->SetLimit(UpDownCache->Position());
  btnCache->setEnabled(false);
}

void TMainForm::Unzip1Click() {
  UnzipNextToItself(platform::GetCurrentDir(), Context().selectedRomFile);
  ScanDirectory();
}
