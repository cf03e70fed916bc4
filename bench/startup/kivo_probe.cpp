// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// KIVO's start as the program makes it (settings file, application, main window, shown), except
// that the settings file is named on the command line and the process ends the moment the window
// is on screen with its list laid out, having written that moment into the file named second. The
// start-up figure times the span from its spawn to that moment.
#include <QApplication>
#include <QListView>
#include <cstdlib>

#include "app/app_context.h"
#include "widgets/dialogs.h"
#include "app/ui/main_form.h"
#include "common/path.h"
#include "window_shown.h"

using namespace kivo::app;
using namespace kivo::common;

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  AppContext context;
  context.settingsFile = std::make_unique<SettingsFile>(argv[1]);
  context.appDir = ExtractFileDir(argv[1]);

  QApplication app(argc, argv);
  QApplication::setApplicationName("KIVO");
  kivo::widgets::DesktopDialogs dialogs;
  TMainForm form(context, dialogs);
  form.show();
  // Ends without the window's close, which stores its geometry: that belongs to shutting down.
  const bool shown = WaitUntilShown(form, form.findChild<QListView*>("ListView")) && ReportShown(argv[2]);
  std::_Exit(shown ? 0 : 3);
}
