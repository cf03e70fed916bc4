// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>
#include <string>

class QLineEdit;
class QPushButton;
namespace kivo::widgets {
class HandlerGuard;
class UpDown;
}  // namespace kivo::widgets
namespace kivo::app {
struct AppContext;
}

namespace kivo::zipcache {

class TZipCache;

// The zip cache's row on the Setup tab: "Keep N ROMs in Cache" with arrows to choose N, and Apply to
// store it and evict down to it. The window owns the cache; the row acts on it while it is open.
class CacheRow : public QWidget {
  Q_OBJECT

 public:
  CacheRow(app::AppContext& context, widgets::HandlerGuard& guard, QWidget* parent);
  ~CacheRow() override;

  // Shows the open cache's limit; Apply acts on that cache until Detach.
  void Attach(TZipCache& cache, int limit);
  void Detach() { cache_ = nullptr; }

  void UpDownCacheClick();
  void btnCacheClick();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // The number's field, as wide as three digits need in the font in use.
  void FitNumberField();

  app::AppContext& context_;
  TZipCache* cache_ = nullptr;
  QLineEdit* EditCacheSize = nullptr;
  widgets::UpDown* UpDownCache = nullptr;
  QPushButton* btnCache = nullptr;
};

}  // namespace kivo::zipcache
