// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// KIVO's start as the program makes it (settings file, application, main window, shown), except
// that the settings file is named on the command line and the process ends the moment the window
// is on screen with its list laid out. The start-up figure times this from spawn to exit.
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
  if (argc < 2) return 2;
  AppContext context;
  context.settingsFile = std::make_unique<SettingsFile>(argv[1]);
  context.appDir = ExtractFileDir(argv[1]);

  QApplication app(argc, argv);
  QApplication::setApplicationName("KIVO");
  kivo::widgets::DesktopDialogs dialogs;
  TMainForm form(context, dialogs);
  form.show();
  // Ends without the window's close, which stores its geometry: that belongs to shutting down.
  std::_Exit(WaitUntilShown(form, form.findChild<QListView*>("ListView")) ? 0 : 3);
}
