// The ROM list's two jobs on a large folder: scanning and sorting 20,000 files while looking up each
// one in a kivo.ini with 2,000 game configurations, and showing the 20,000 entries in the window.
#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QListView>
#include <QListWidget>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <dirent.h>

#include "app/settings_file.h"
#include "app/ui/dialogs.h"
#include "browser/folder_scan.h"
#include "browser/ui/rom_list_model.h"
#include "harness.h"
#include "platform/dirs.h"
#include "support/temp_dir.h"

namespace {

constexpr int kFileCount = 20000;
constexpr int kConfigCount = 2000;

// The keys a game's configuration section holds, with values a user might have chosen.
constexpr const char* kGameKeys[] = {"Interleaved=0",     "NTSC=1",          "PAL=0",         "HiROM=0",
                                     "LoROM=1",           "Scanlines=1",     "Scale=0",       "Interpolation=1",
                                     "VSync=0",           "NewEngine=1",     "SmallScreen=0", "FrameSkip=0",
                                     "FrameSkip Value=2", "CPUCycles=120",   "Color0=0",      "Gamma=3",
                                     "DisableSPCHack=0",  "OffBy1LineFix=0", "Videomode=4",   "Stereo=1"};

// A game name as collections spell them: words, a number, a region and a dump mark.
std::string GameName(int i) {
  static const char* const kWords[] = {"Super", "Mega",  "Dragon", "Quest",   "Star",  "Fighter", "Legend", "Kart",
                                       "Tales", "Mario", "Zelda",  "Metroid", "Racer", "Soccer",  "Battle", "Island"};
  static const char* const kRegions[] = {" (U)", " (E)", " (J)", " (F)", " (G)"};
  std::string name = kWords[i % 16];
  name += ' ';
  name += kWords[(i / 16) % 16];
  name += ' ';
  name += std::to_string(i);
  name += kRegions[(i / 7) % 5];
  if (i % 3 == 0) name += " [!]";
  return name;
}

const char* RomExtension(int i) {
  static const char* const kExtensions[] = {".smc", ".sfc", ".zip", ".SMC", ".fig", ".ZIP", ".078"};
  return kExtensions[i % 7];
}

// The folder with 20,000 ROM images and archives, 2,000 other files the list leaves out, and a kivo.ini whose "Configs"
// section names 2,000 of the games, each with its own section of options. Made once per run and removed at exit.
class ScanFixture {
 public:
  ScanFixture() {
    folder_ = root_ / "roms";
    std::filesystem::create_directories(folder_);
    for (int i = 0; i < 12; ++i) std::filesystem::create_directory(folder_ + "/Folder " + std::to_string(i));
    for (int i = 0; i < kFileCount; ++i) WriteBenchFile(folder_ + "/" + GameName(i) + RomExtension(i), "");
    for (int i = 0; i < kFileCount; i += 10)
      WriteBenchFile(folder_ + "/" + GameName(i) + (i % 20 ? ".txt" : ".swc"), "");

    std::string ini = "[General]\nZSNESPath=/opt/zsnes/ZSNES.EXE\nSound=1\nVolume=25\nSampleRate=2\n\n[Configs]\n";
    // Every tenth game has a configuration, so configured files are spread over the whole list.
    for (int i = 0; i < kConfigCount; ++i) ini += GameName(i * 10) + "=1\n";
    for (int i = 0; i < kConfigCount; ++i) {
      ini += "\n[" + GameName(i * 10) + "]\n";
      for (const char* line : kGameKeys) (ini += line) += '\n';
    }
    iniPath_ = root_ / "kivo.ini";
    WriteBenchFile(iniPath_, ini);
  }
  const std::string& Folder() const { return folder_; }
  const std::string& IniPath() const { return iniPath_; }

 private:
  TempDir root_;
  std::string folder_;
  std::string iniPath_;
};

const ScanFixture& Fixture() {
  static ScanFixture fixture;
  return fixture;
}

void KivoScan(benchmark::State& state) {
  const ScanFixture& fixture = Fixture();
  SettingsFile settings(fixture.IniPath());
  size_t configured = 0;
  for (auto _ : state) {
    std::vector<ListEntry> entries = ScanFolder(platform::DriveRoots(), fixture.Folder(), *settings.Snapshot());
    configured = 0;
    for (const ListEntry& entry : entries)
      configured += entry.kind == kRomFileWithConfig || entry.kind == kZipArchiveWithConfig;
    benchmark::DoNotOptimize(entries.data());
  }
  if (configured == 0) state.SkipWithError("no entry was marked as configured");
}

void BareReaddir(benchmark::State& state) {
  const ScanFixture& fixture = Fixture();
  for (auto _ : state) {
    DIR* dir = ::opendir(fixture.Folder().c_str());
    size_t count = 0;
    while (::readdir(dir) != nullptr) ++count;
    ::closedir(dir);
    benchmark::DoNotOptimize(count);
  }
}

KIVO_FIGURE("browser_scan", "folder scan + sort, 20,000 files, 2,000 configurations", 2.0, KivoScan, BareReaddir);

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

// The list as the main window sets it up: small icons with captions in columns, laid out in one pass.
void ConfigureLikeMainWindow(QListView& view) {
  QFont font("Sans Serif");
  font.setPixelSize(11);
  view.setFont(font);
  view.setViewMode(QListView::ListMode);
  view.setFlow(QListView::TopToBottom);
  view.setWrapping(true);
  view.setResizeMode(QListView::Adjust);
  view.setUniformItemSizes(true);
  view.setIconSize(QSize(16, 16));
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setSelectionMode(QAbstractItemView::SingleSelection);
  view.resize(428, 530);  // the list's share of the window at its designed size
}

// Shows the view and runs the event loop until every row has its place (a row not laid out yet
// has no rectangle), then paints it once. False when the layout does not finish.
bool ShowAndLayOut(QListView& view) {
  view.show();
  const QModelIndex last = view.model()->index(view.model()->rowCount() - 1, 0);
  for (int round = 0; !view.visualRect(last).isValid(); ++round) {
    if (round == 100000) return false;
    QCoreApplication::processEvents();
  }
  view.viewport()->repaint();
  return true;
}

// The entries a scan of the fixture folder gives, and their captions as display strings.
const std::vector<ListEntry>& ScannedEntries() {
  static const std::vector<ListEntry> entries = [] {
    SettingsFile settings(Fixture().IniPath());
    return ScanFolder(platform::DriveRoots(), Fixture().Folder(), *settings.Snapshot());
  }();
  return entries;
}

void KivoList(benchmark::State& state) {
  App();
  const std::vector<ListEntry>& scanned = ScannedEntries();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<ListEntry> entries = scanned;  // what a scan hands over
    state.ResumeTiming();
    auto view = std::make_unique<QListView>();
    auto model = std::make_unique<RomListModel>();
    view->setModel(model.get());
    ConfigureLikeMainWindow(*view);
    model->SetFont(view->font());
    model->SetEntries(std::move(entries));
    if (!ShowAndLayOut(*view)) state.SkipWithError("the list was not laid out");
    state.PauseTiming();
    view.reset();
    model.reset();
    state.ResumeTiming();
  }
}

void BareListWidget(benchmark::State& state) {
  App();
  QStringList captions;
  for (const ListEntry& entry : ScannedEntries()) captions.append(FromBytes(entry.caption));
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

KIVO_FIGURE("browser_list", "list shown in the window, 20,000 entries", 1.0, KivoList, BareListWidget);

}  // namespace
