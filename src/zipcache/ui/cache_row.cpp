// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/ui/cache_row.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/app_context.h"
#include "app/options.h"
#include "widgets/handler_guard.h"
#include "widgets/up_down.h"
#include "zipcache/zip_cache.h"

namespace kivo::zipcache {

namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& caption, int left, int width) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setGeometry(left, 5, width, 15);
  return label;
}

}  // namespace

CacheRow::CacheRow(app::AppContext& context, widgets::HandlerGuard& guard, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("CacheRow");
  Label(this, "lblKeep", "Keep", 0, 30);
  EditCacheSize = new QLineEdit(this);
  EditCacheSize->setObjectName("EditCacheSize");
  EditCacheSize->setGeometry(32, 2, 33, 21);
  EditCacheSize->setReadOnly(true);
  UpDownCache = new widgets::UpDown(app::option::CacheSize.minimum, app::option::CacheSize.maximum, this);
  UpDownCache->setObjectName("UpDownCache");
  UpDownCache->setGeometry(65, 2, 15, 21);
  Label(this, "lblRomsInCache", "ROMs in Cache", 84, 94);
  btnCache = new QPushButton("Apply", this);
  btnCache->setObjectName("btnCache");
  btnCache->setGeometry(182, 0, 66, 25);
  btnCache->setEnabled(false);

  connect(UpDownCache, &widgets::UpDown::Clicked, this, guard.Wrap([this] { UpDownCacheClick(); }));
  connect(btnCache, &QPushButton::clicked, this, guard.Wrap([this] { btnCacheClick(); }));
}

CacheRow::~CacheRow() = default;

void CacheRow::Attach(TZipCache& cache, int limit) {
  cache_ = &cache;
  UpDownCache->SetPosition(limit);
  EditCacheSize->setText(QString::number(UpDownCache->Position()));
}

void CacheRow::UpDownCacheClick() {
  EditCacheSize->setText(QString::number(UpDownCache->Position()));
  btnCache->setEnabled(true);
}

void CacheRow::btnCacheClick() {
  context_.Settings().WriteInteger(app::option::CacheSize, UpDownCache->Position());
  if (cache_) cache_->SetLimit(UpDownCache->Position());
  btnCache->setEnabled(false);
}

}  // namespace kivo::zipcache
