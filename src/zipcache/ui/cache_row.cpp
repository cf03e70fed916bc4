// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zipcache/ui/cache_row.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/app_context.h"
#include "app/options.h"
#include "widgets/handler_guard.h"
#include "widgets/up_down.h"
#include "zipcache/zip_cache.h"

namespace kivo::zipcache {

namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

CacheRow::CacheRow(app::AppContext& context, widgets::HandlerGuard& guard, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("CacheRow");
  EditCacheSize = new QLineEdit(this);
  EditCacheSize->setObjectName("EditCacheSize");
  EditCacheSize->setReadOnly(true);
  FitNumberField();
  UpDownCache = new widgets::UpDown(app::option::CacheSize.minimum, app::option::CacheSize.maximum, this);
  UpDownCache->setObjectName("UpDownCache");
  UpDownCache->findChild<QWidget*>("up")->setToolTip("Keep one ROM more in the cache");
  UpDownCache->findChild<QWidget*>("down")->setToolTip("Keep one ROM fewer in the cache");
  btnCache = new QPushButton("Apply", this);
  btnCache->setObjectName("btnCache");
  btnCache->setToolTip("Keep this many ROMs in the cache; the oldest beyond it are deleted");
  btnCache->setEnabled(false);
  // Keep [n][updown] ROMs in Cache ... [Apply]
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  row->addWidget(Label(this, "lblKeep", "Keep"));
  row->addWidget(EditCacheSize);
  row->addWidget(UpDownCache);
  row->addSpacing(4);
  row->addWidget(Label(this, "lblRomsInCache", "ROMs in Cache"));
  row->addStretch();
  row->addWidget(btnCache);

  connect(UpDownCache, &widgets::UpDown::Clicked, this, guard.Wrap([this] { UpDownCacheClick(); }));
  connect(btnCache, &QPushButton::clicked, this, guard.Wrap([this] { btnCacheClick(); }));
}

CacheRow::~CacheRow() = default;

void CacheRow::FitNumberField() {
  const int digits = EditCacheSize->fontMetrics().horizontalAdvance("0000") + 8;
  EditCacheSize->setFixedWidth(std::max(digits, EditCacheSize->minimumSizeHint().width()));
}

void CacheRow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitNumberField();
}

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
