#include <QApplication>

#include "app/app_context.h"
#include "app/ui/dialogs.h"
#include "app/ui/main_form.h"
#include "common/path.h"
#include "platform/dirs.h"

int main(int argc, char** argv) {
  // The settings file lives beside the program, whatever folder the program was started from.
  AppContext context;
  context.settingsFile = std::make_unique<SettingsFile>(AddBackslash(platform::ExecutableDir()) + "kivo.ini");

  QApplication app(argc, argv);
  QApplication::setApplicationName("KIVO");
  DesktopDialogs dialogs;
  TMainForm form(context, dialogs);
  form.show();
  return QApplication::exec();
}
