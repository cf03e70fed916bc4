// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include <QApplication>

#include "app/app_context.h"
#include "app/kivo_folders.h"
#include "app/ui/main_form.h"
#include "common/path.h"
#include "platform/dirs.h"
#include "widgets/dialogs.h"

using namespace kivo::app;

int main(int argc, char** argv) {
  // The settings file lives beside the program (whatever folder it was started from), or under the
  // user's home when KIVO is installed.
  const KivoFolders folders = LocateKivoFolders(kivo::platform::ExecutableDir());
  CreateKivoFolders(folders);
  const std::string madePrivate = MakeKivoFilesPrivate(folders);
  AppContext context;
  context.settingsFile = std::make_unique<SettingsFile>(folders.settingsFile);
  context.appDir = folders.dataFolder;
  context.manual = folders.manual;

  QApplication app(argc, argv);
  QApplication::setApplicationName("KIVO");
  kivo::widgets::DesktopDialogs dialogs;
  TMainForm form(context, dialogs);
  form.show();
  if (!madePrivate.empty())
    dialogs.Message(&form, kivo::widgets::FromBytes(madePrivate), "KIVO", kivo::widgets::Dialogs::Icon::None);
  return QApplication::exec();
}
