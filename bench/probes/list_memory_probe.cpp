// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The ROM list of a folder built and shown in a process of its own, for the memory figures: writes
// to OUTPUT how far the resident memory rose, at its peak, while the list was filled and laid out.
//   kivo_list_memory_probe kivo FOLDER KIVO.INI OUTPUT   the window's way: the scan, RomListModel,
//                                                         a QListView set up as the window's
//   kivo_list_memory_probe bare CAPTIONS OUTPUT          a QListWidget filled item by item with the
//                                                         captions of a file, one a line
// Both sides start from the same state, their view on screen showing one line (so what Qt spends
// on any window and on drawing its first line, some megabytes of fonts, style and backing store,
// counts for neither), and end the same way: every row laid out, the list painted once.
#include <QApplication>
#include <QListView>
#include <QListWidget>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>

#include "app/settings_file.h"
#include "browser/folder_scan.h"
#include "browser/ui/rom_list_model.h"
#include "list_window.h"
#include "peak_memory.h"
#include "platform/dirs.h"
#include "widgets/dialogs.h"

using namespace kivo::app;
using namespace kivo::browser;

namespace {

bool ShowKivoList(const std::string& folder, const std::string& iniPath, size_t& baseline) {
  SettingsFile settings(iniPath);
  auto snapshot = settings.Snapshot();
  const std::vector<std::string> roots = kivo::platform::DriveRoots();
  QListView view;
  RomListModel model;
  view.setModel(&model);
  ConfigureLikeMainWindow(view);
  model.SetFont(view.font());
  ListEntries oneLine;
  oneLine.SetLines({*oneLine.Keep("/", 0, kDrive)});
  model.SetList(GameList{ListSource::Folder, std::move(oneLine), {}}, {}, "");
  if (!ShowAndLayOut(view)) return false;
  baseline = ResetPeakMemory();
  model.SetList(ListFolder(roots, folder, *snapshot), {}, folder);
  return ShowAndLayOut(view);
}

bool ShowBareList(const std::string& captionsPath, size_t& baseline) {
  QListWidget view;
  ConfigureLikeMainWindow(view);
  view.addItem("/");
  if (!ShowAndLayOut(view)) return false;
  baseline = ResetPeakMemory();
  view.clear();
  std::ifstream captions(captionsPath, std::ios::binary);
  for (std::string caption; std::getline(captions, caption);) view.addItem(kivo::widgets::FromBytes(caption));
  return ShowAndLayOut(view);
}

}  // namespace

int main(int argc, char** argv) {
  const bool kivo = argc == 5 && std::strcmp(argv[1], "kivo") == 0;
  const bool bare = argc == 4 && std::strcmp(argv[1], "bare") == 0;
  if (!kivo && !bare) return 2;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QApplication::processEvents();
  size_t baseline = 0;
  if (!(kivo ? ShowKivoList(argv[2], argv[3], baseline) : ShowBareList(argv[2], baseline))) return 3;
  return WritePeakMemory(argv[argc - 1], PeakMemoryAbove(baseline)) ? 0 : 4;
}
