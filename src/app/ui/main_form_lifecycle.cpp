// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What the window does when it is created, first activated and closed.
#include <QApplication>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <vector>

#include "app/options.h"
#include "app/ui/main_form.h"
#include "app/ui/menus.h"
#include "app/window_place.h"
#include "browser/ui/rom_browser.h"
#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "screenshots/ui/preview_panel.h"
#include "widgets/dialogs.h"
#include "zipcache/ui/cache_row.h"
#include "zipcache/zip_cache.h"

namespace kivo::app {

namespace {

// Where the program starts browsing when no folder was stored: the user's home folder stands in
// for the first hard disk.
std::string DefaultRomDirectory() { return platform::HomeDir(); }

// What each screen leaves to windows (the task bars and docks taken off).
std::vector<Rect> AvailableScreens() {
  std::vector<Rect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    screens.push_back({area.x(), area.y(), area.width(), area.height()});
  }
  return screens;
}

}  // namespace

void TMainForm::FormCreate() {
  if (context_.appDir.empty()) context_.appDir = platform::ExecutableDir();
  SettingsFile& settings = context_.Settings();

  platform::CreateDirectory(common::AddBackslash(context_.appDir) + "zipcache");

  // Geometry, the designed values as defaults; the minimum size still applies.
  QRect designed = geometry();
  int top = settings.ReadInteger(option::FormTop, y());
  int left = settings.ReadInteger(option::FormLeft, x());
  int width = settings.ReadInteger(option::FormWidth, designed.width());
  int height = settings.ReadInteger(option::FormHeight, designed.height());
  // A place stored under another screen layout or display scale may be off every screen now.
  const Rect placed = PlaceWindow(AvailableScreens(), {left, top, width, height});
  move(placed.left, placed.top);
  resize(placed.width, placed.height);
  if (settings.ReadBool(option::Maximized)) setWindowState(windowState() | Qt::WindowMaximized);

  platform::SetCurrentDir(settings.ReadString(option::ROMDirectory, DefaultRomDirectory()));

  int cacheSize = settings.ReadInteger(option::CacheSize);
  zipCache_ = std::make_unique<zipcache::TZipCache>(common::AddBackslash(context_.appDir) + "zipcache", cacheSize);
  cacheRow_->Attach(*zipCache_, cacheSize);

  PageControl1->ApplyEmulatorProfile();
  PageControl1->LoadConfig(context_.currentSection);

  imgPreview0->ShowTitlePicture();

  // The titles read of the games are remembered beside the cache's own table.
  ListView->SetTitleTable(common::AddBackslash(context_.appDir) + "zipcache/titles.tbl");
  ListView->SetSort(static_cast<browser::ListColumn>(std::clamp(settings.ReadInteger(option::ListSortColumn), 0, 6)),
                    settings.ReadBool(option::ListSortDescending));
  ShowDetails(settings.ReadBool(option::ListDetails));
  ScanDirectory();
}

void TMainForm::FormActivate() {
  if (!context_.settingsFile) return;
  if (!context_.Settings().ReadBool(option::RunFirst)) return;
  guard_.Ask().Message(this,
                       "Since this is the first time\nyou run this program you should\n"
                       "set the path to ZSNES in the setup:\n"
                       "the folder of zsnes (the Linux build)\nor of ZSNES.EXE (the DOS build).",
                       "Message", widgets::Dialogs::Icon::None);
  PageControl1->cmdBrowseZSNESClick();
  context_.Settings().WriteBool(option::RunFirst, false);
}

void TMainForm::FormClose() {
  closed_ = true;
  // A settings file that cannot be written is reported, and the program still ends: staying open
  // would not make the next write succeed.
  guard_.Run([this] {
    SettingsFile& settings = context_.Settings();
    if (isMaximized()) {
      settings.WriteBool(option::Maximized, true);
    } else {
      // A minimised window is stored with its normal place and size, not as maximised. Its place is
      // the frame's, as every other close stores it: the client area's would move the window by
      // the frame's width at each start.
      QRect normal = isMinimized() ? normalGeometry() : geometry();
      QPoint frameOffset = geometry().topLeft() - pos();
      QPoint position = isMinimized() ? normal.topLeft() - frameOffset : pos();
      settings.WriteBool(option::Maximized, false);
      settings.WriteInteger(option::FormTop, position.y());
      settings.WriteInteger(option::FormLeft, position.x());
      settings.WriteInteger(option::FormHeight, normal.height());
      settings.WriteInteger(option::FormWidth, normal.width());
    }
    settings.WriteString(option::ROMDirectory, platform::GetCurrentDir());
  });
  context_.settingsFile.reset();
  // The table is saved as the cache closes.
  cacheRow_->Detach();
  zipCache_.reset();
  ListView->Clear();
}

}  // namespace kivo::app
