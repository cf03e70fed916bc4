// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTest>
#include <QtWidgets>
#include <memory>

#include "app/app_context.h"
#include "app/ini_document.h"
#include "app/ui/main_form.h"
#include "app/ui/radio_group.h"
#include "widgets/up_down.h"
#include "browser/ui/rom_list_model.h"
#include "gui/support/fake_dialogs.h"
#include "gui/support/find_child.h"
#include "platform/dirs.h"
#include "screenshots/ui/preview_image.h"
#include "support/temp_dir.h"

// The model behind the ROM list.
inline kivo::browser::RomListModel* ListModelOf(kivo::app::TMainForm& form) {
  auto* model = dynamic_cast<kivo::browser::RomListModel*>(Child<QListView>(form, "ListView")->model());
  if (model == nullptr) qFatal("the ROM list has no RomListModel");
  return model;
}

// A program folder of the test's own (kivo.ini, zipcache) and a ROM folder, with a
// real main window started on them. The process's current folder is put back afterwards.
class FormFixture {
 public:
  FormFixture() {
    context.appDir = appDir.Path();
    context.settingsFile = std::make_unique<kivo::app::SettingsFile>(IniPath());
    SetIni("[General]\nRun first=0\nROMDirectory=" + romDir.Path() + "\n");
  }
  ~FormFixture() {
    form.reset();
    kivo::platform::SetCurrentDir(startDir_);
  }

  void SetIni(const std::string& text) { WriteTestFile(IniPath(), text); }
  // Starts the window (FormCreate runs) and shows it.
  kivo::app::TMainForm& Start() {
    form = std::make_unique<kivo::app::TMainForm>(context, dialogs);
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("the main window was not exposed");
    return *form;
  }
  // Closes the window as the user would (FormClose runs).
  void Close() { form->close(); }

  std::string IniPath() const { return appDir / "kivo.ini"; }
  std::string Ini() const { return ReadTestFile(IniPath()); }
  // The value the settings file holds now, or "<missing>" when it has no such key.
  std::string IniValue(const std::string& section, const std::string& key) const {
    std::string_view value;
    return kivo::app::IniDocument(Ini()).Find(section, key, value) ? std::string(value) : "<missing>";
  }
  // The list line with this caption (and kind, when given), or -1.
  int Row(const QString& caption, int kind = -1) const {
    const kivo::browser::RomListModel* model = ListModelOf(*form);
    for (int row = 0; row < model->Count(); ++row) {
      if (model->index(row, 0).data().toString() == caption && (kind < 0 || model->EntryAt(row)->kind == kind)) return row;
    }
    return -1;
  }
  // Clicks that line (twice: then double-clicks it); false if it is absent.
  bool Click(const QString& caption, int kind = -1, bool twice = false) {
    const int row = Row(caption, kind);
    if (row < 0) return false;
    QListView* view = Child<QListView>(*form, "ListView");
    view->scrollTo(ListModelOf(*form)->index(row, 0));
    const QPoint at = view->visualRect(ListModelOf(*form)->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    return true;
  }
  bool DoubleClick(const QString& caption, int kind = -1) { return Click(caption, kind, true); }

  TempDir appDir;
  TempDir romDir;
  kivo::app::AppContext context;
  FakeDialogs dialogs;
  std::unique_ptr<kivo::app::TMainForm> form;

 private:
  std::string startDir_ = kivo::platform::GetCurrentDir();
};
