// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The window's event loop while the titles of its list are read: KIVO starts as the program does on
// the settings file KIVO.INI (whose ROM folder holds the games, and whose titles table is still
// empty), and once the window is shown a timer ticking every millisecond notes the longest gap
// between two of its ticks until every title has come. Writes that gap in seconds to OUTPUT.
//   kivo_titles_loop_probe KIVO.INI GAMES OUTPUT
// Exit status 3 when the window did not show, 4 when fewer than GAMES titles had come at the end.
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/app_context.h"
#include "app/ui/main_form.h"
#include "browser/ui/rom_browser.h"
#include "browser/ui/rom_list_model.h"
#include "common/path.h"
#include "startup/window_shown.h"
#include "widgets/dialogs.h"

using namespace kivo::app;

namespace {

int TitledGames(const kivo::browser::RomListModel& model) {
  int titled = 0;
  for (int row = 0; row < model.Count(); ++row) {
    const kivo::browser::EntryFacts* facts = model.FactsAt(row);
    if (facts != nullptr && !facts->title.empty()) ++titled;
  }
  return titled;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  AppContext context;
  context.settingsFile = std::make_unique<SettingsFile>(argv[1]);
  context.appDir = kivo::common::ExtractFileDir(argv[1]);

  QApplication app(argc, argv);
  kivo::widgets::DesktopDialogs dialogs;
  TMainForm form(context, dialogs);
  form.show();
  if (!WaitUntilShown(form, form.findChild<QListView*>("ListView"))) return 3;
  auto* browser = form.findChild<kivo::browser::RomBrowser*>("RomBrowser");

  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  int titled = 0;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  tick.setInterval(1);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - last);
    last = now;
    if (browser->TitlesBusy()) return;
    titled = TitledGames(*browser->Model());
    // Ends the loop without closing the window, which would store its settings.
    QCoreApplication::exit(0);
  });
  clock.start();
  tick.start();
  app.exec();

  // Every game of the folder had its title by then, or the gaps measured were not of the reading.
  if (titled < std::atoi(argv[2])) return 4;
  std::FILE* output = std::fopen(argv[3], "w");
  if (output == nullptr) return 5;
  std::fprintf(output, "%.6f\n", static_cast<double>(longest) * 1e-9);
  std::_Exit(std::fclose(output) == 0 ? 0 : 5);
}
