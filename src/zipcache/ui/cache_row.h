// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>
#include <string>

class QLineEdit;
class QPushButton;
namespace kivo::app {
class HandlerGuard;
}
namespace kivo::app {
class UpDown;
}
namespace kivo::app {
struct AppContext;
}

namespace kivo::zipcache {

class TZipCache;

// The zip cache of the window and its row on the Setup tab: "Keep N ROMs in Cache" with arrows to
// choose N, and Apply to store it and evict down to it. The cache lives as long as the window.
class CacheRow : public QWidget {
  Q_OBJECT

 public:
  CacheRow(app::AppContext& context, app::HandlerGuard& guard, QWidget* parent);
  ~CacheRow() override;

  // Opens the cache in the program's folder with this limit, shown in the row.
  void CreateZipCache(int limit);
  // Saves the cache table and closes the cache.
  void DestroyZipCache();
  // The open cache, or null before the window's creation and after its close.
  TZipCache* ZipCache() const { return cache_.get(); }

  void UpDownCacheClick();
  void btnCacheClick();

 private:
  app::AppContext& context_;
  std::unique_ptr<TZipCache> cache_;
  QLineEdit* EditCacheSize = nullptr;
  app::UpDown* UpDownCache = nullptr;
  QPushButton* btnCache = nullptr;
};

}  // namespace kivo::zipcache
