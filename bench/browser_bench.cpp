// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The ROM list's two jobs on a large folder: scanning and sorting its files while looking up each one
// in a kivo.ini with 2,000 game configurations, and showing the entries in the window; each on
// 20,000 files, and on 200,000 to show how they grow.
#include <QApplication>
#include <QListView>
#include <QListWidget>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <dirent.h>

#include "app/settings_file.h"
#include "browser/folder_scan.h"
#include "browser/ui/rom_list_model.h"
#include "harness.h"
#include "list_window.h"
#include "platform/dirs.h"
#include "rom_folder_fixture.h"
#include "widgets/dialogs.h"

using namespace kivo::app;
using namespace kivo::browser;

namespace {

constexpr int kFileCount = 20000;
constexpr int kLargeFileCount = 200000;

void KivoScan(benchmark::State& state, int fileCount) {
  const RomFolderFixture& fixture = RomFolder(fileCount);
  SettingsFile settings(fixture.IniPath());
  settings.Snapshot();  // parsed once, as the window's settings are long before any scan
  // A folder is listed often while the window is open, so the figure times a folder the system
  // has listed before, as the anchor's repeated readdir does.
  ScanFolder(kivo::platform::DriveRoots(), fixture.Folder(), *settings.Snapshot());
  size_t configured = 0;
  for (auto _ : state) {
    ListEntries entries = ScanFolder(kivo::platform::DriveRoots(), fixture.Folder(), *settings.Snapshot());
    configured = 0;
    for (const ListEntry& entry : entries)
      configured += entry.kind == kRomFileWithConfig || entry.kind == kZipArchiveWithConfig;
    benchmark::DoNotOptimize(configured);
  }
  if (configured == 0) state.SkipWithError("no entry was marked as configured");
}

void KivoScanOf20k(benchmark::State& state) { KivoScan(state, kFileCount); }
void KivoScanOf200k(benchmark::State& state) { KivoScan(state, kLargeFileCount); }

void BareReaddir(benchmark::State& state) {
  const RomFolderFixture& fixture = RomFolder(kFileCount);
  for (auto _ : state) {
    DIR* dir = ::opendir(fixture.Folder().c_str());
    size_t count = 0;
    while (::readdir(dir) != nullptr) ++count;
    ::closedir(dir);
    benchmark::DoNotOptimize(count);
  }
}

// What a scan's growth is set against: every name of the folder read and sorted, and nothing else.
// Ten times the names no longer fit the processor's caches and take a sort's extra log factor,
// which a scan pays as much as this.
void BareReaddirAndSort(benchmark::State& state, int fileCount) {
  const RomFolderFixture& fixture = RomFolder(fileCount);
  std::vector<std::string> names;
  for (auto _ : state) {
    names.clear();
    DIR* dir = ::opendir(fixture.Folder().c_str());
    while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    benchmark::DoNotOptimize(names.data());
  }
}

void BareReaddirAndSortOf20k(benchmark::State& state) { BareReaddirAndSort(state, kFileCount); }
void BareReaddirAndSortOf200k(benchmark::State& state) { BareReaddirAndSort(state, kLargeFileCount); }

KIVO_FIGURE("browser_scan", "folder scan + sort, 20,000 files, 2,000 configurations", 2.0, KivoScanOf20k, BareReaddir);
// Each side's time for 200,000 files over ten times its time for 20,000, with the same kivo.ini:
// KIVO's scan may grow at most 1.1 times as fast as reading and sorting the names alone does.
KIVO_FIGURE("browser_scan_growth", "folder scan + sort growth, 20,000 to 200,000 files", 1.1, KivoScanOf200k,
            BareReaddirAndSortOf200k, 1.0, Measure::kGrowth, KivoScanOf20k, BareReaddirAndSortOf20k, 10.0);

// The window tier needs an application object; the offscreen platform keeps the run headless.
QApplication& App() {
  static int argc = 1;
  static char name[] = "kivo_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

// The entries a scan of the fixture folder gives.
const ListEntries& ScannedEntries(int fileCount) {
  static std::map<int, ListEntries> scanned;
  auto found = scanned.find(fileCount);
  if (found == scanned.end()) {
    SettingsFile settings(RomFolder(fileCount).IniPath());
    found = scanned
                .emplace(fileCount,
                         ScanFolder(kivo::platform::DriveRoots(), RomFolder(fileCount).Folder(), *settings.Snapshot()))
                .first;
  }
  return found->second;
}

void KivoList(benchmark::State& state, int fileCount) {
  App();
  const ListEntries& scanned = ScannedEntries(fileCount);
  for (auto _ : state) {
    state.PauseTiming();
    ListEntries entries = scanned;  // what a scan hands over
    state.ResumeTiming();
    auto view = std::make_unique<QListView>();
    auto model = std::make_unique<RomListModel>();
    view->setModel(model.get());
    ConfigureLikeMainWindow(*view);
    model->SetFont(view->font());
    model->SetList(GameList{ListSource::Folder, std::move(entries), {}}, {}, "");
    if (!ShowAndLayOut(*view)) state.SkipWithError("the list was not laid out");
    state.PauseTiming();
    view.reset();
    model.reset();
    state.ResumeTiming();
  }
}

void BareListWidget(benchmark::State& state, int fileCount) {
  App();
  QStringList captions;
  for (const ListEntry& entry : ScannedEntries(fileCount))
    captions.append(kivo::widgets::FromBytes(std::string(entry.caption)));
  for (auto _ : state) {
    auto view = std::make_unique<QListWidget>();
    ConfigureLikeMainWindow(*view);
    view->addItems(captions);
    if (!ShowAndLayOut(*view)) state.SkipWithError("the list was not laid out");
    state.PauseTiming();
    view.reset();
    state.ResumeTiming();
  }
}

void KivoListOf20k(benchmark::State& state) { KivoList(state, kFileCount); }
void BareListWidgetOf20k(benchmark::State& state) { BareListWidget(state, kFileCount); }
void KivoListOf200k(benchmark::State& state) { KivoList(state, kLargeFileCount); }
void BareListWidgetOf200k(benchmark::State& state) { BareListWidget(state, kLargeFileCount); }

KIVO_FIGURE("browser_list", "list shown in the window, 20,000 entries", 1.0, KivoListOf20k, BareListWidgetOf20k);
KIVO_FIGURE("browser_list_200k", "list shown in the window, 200,000 entries", 1.0, KivoListOf200k,
            BareListWidgetOf200k);

}  // namespace
