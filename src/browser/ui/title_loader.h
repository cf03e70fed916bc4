// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "browser/entry_facts.h"

namespace kivo::browser {

// Reads the titles, regions and sizes of a list's files on a thread of its own, so the list is
// shown at once and fills in as they are read; the window never waits for a file. What is read is
// remembered in the title table of the cache folder, so a folder seen before costs no reading.
// The findings are handed over in batches on the window's thread.
class TitleLoader : public QObject {
  Q_OBJECT

 public:
  explicit TitleLoader(QObject* parent = nullptr);
  ~TitleLoader() override;

  // The table's file; empty: nothing is remembered.
  void SetTablePath(std::string path) { tablePath_ = std::move(path); }
  // Starts reading for these files (list row and full path), stopping a reading under way first:
  // its findings, meant for an earlier list, are never delivered.
  void Start(std::vector<std::pair<std::uint32_t, std::string>> files);
  void Stop();
  // True while a reading is under way or its last findings are still to be handed over.
  bool Busy() const { return deliveries_.isActive(); }

 signals:
  void Found(const std::vector<std::pair<std::uint32_t, kivo::browser::EntryFacts>>& found);
  void Finished();

 private:
  void Deliver();

  std::string tablePath_;
  std::thread worker_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> running_{false};
  std::mutex mutex_;
  std::vector<std::pair<std::uint32_t, EntryFacts>> pending_;
  QTimer deliveries_;
};

}  // namespace kivo::browser
