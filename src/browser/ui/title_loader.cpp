// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/ui/title_loader.h"

#include "browser/list_facts.h"
#include "browser/title_scan.h"
#include "browser/title_table.h"

namespace kivo::browser {

TitleLoader::TitleLoader(QObject* parent) : QObject(parent) {
  // Findings are gathered and handed over a few times a second: one repaint per batch, not per file.
  deliveries_.setInterval(100);
  connect(&deliveries_, &QTimer::timeout, this, &TitleLoader::Deliver);
}

TitleLoader::~TitleLoader() { Stop(); }

void TitleLoader::Stop() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
  deliveries_.stop();
  std::lock_guard lock(mutex_);
  pending_.clear();
  running_ = false;
}

void TitleLoader::Start(std::vector<std::pair<std::uint32_t, std::string>> files) {
  Stop();
  if (files.empty()) return;
  stop_ = false;
  running_ = true;
  deliveries_.start();
  worker_ = std::thread([this, files = std::move(files), tablePath = tablePath_] {
    std::vector<std::string> paths;
    paths.reserve(files.size());
    for (const auto& file : files) paths.push_back(file.second);
    TitleTable table(tablePath);
    ScanTitles(paths, table, stop_, [&](size_t index, const GameFacts& facts) {
      EntryFacts found;
      TakeScanned(found, facts);
      std::lock_guard lock(mutex_);
      pending_.emplace_back(files[index].first, std::move(found));
    });
    // A table that cannot be written only costs the next visit its reading again.
    if (!tablePath.empty() && table.Changed()) table.Save();
    running_ = false;
  });
}

void TitleLoader::Deliver() {
  // Read before the findings are taken: a thread that has ended has handed over all of them.
  const bool done = !running_.load();
  std::vector<std::pair<std::uint32_t, EntryFacts>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(pending_);
  }
  if (!batch.empty()) emit Found(batch);
  if (done) {
    deliveries_.stop();
    // Every finding is in by now: the thread ended before the last batch was taken.
    if (worker_.joinable()) worker_.join();
    emit Finished();
  }
}

}  // namespace kivo::browser
