// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtWidgets>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "app/ui/main_form.h"
#include "app/ui/radio_group.h"
#include "app/ui/up_down.h"
#include "browser/ui/rom_list_model.h"
#include "gui/support/fake_dialogs.h"
#include "screenshots/ui/preview_image.h"
#include "support/temp_dir.h"

// A program folder of the test's own (kivo.ini, zipcache, emulator folder) and a ROM folder, with a
// real main window started on them. The process's current folder is put back afterwards.
class FormFixture {
 public:
  FormFixture();
  ~FormFixture();

  // Writes kivo.ini before the window starts; "Run first" is 0 unless the text says otherwise.
  void SetIni(const std::string& text) { WriteTestFile(IniPath(), text); }
  // Starts the window (FormCreate runs) and shows it.
  kivo::app::TMainForm& Start(bool show = true);
  // Closes the window as the user would (FormClose runs).
  void Close();

  std::string IniPath() const { return appDir / "kivo.ini"; }
  std::string Ini() const { return ReadTestFile(IniPath()); }
  // The value the settings file holds now, or "<missing>" when it has no such key.
  std::string IniValue(const std::string& section, const std::string& key) const;
  // Selects the list line with this caption (and kind, when given) by a click; false if absent.
  bool Click(const QString& caption, int kind = -1) { return ClickRow(Row(caption, kind), false); }
  bool DoubleClick(const QString& caption, int kind = -1) { return ClickRow(Row(caption, kind), true); }
  // Clicks the line (twice: then double-clicks it); false for a row below 0.
  bool ClickRow(int row, bool twice = false);
  int Row(const QString& caption, int kind = -1) const;
  // The line of the file of this name, found by its bytes; -1 if absent.
  int FileRow(const std::string& fileName) const;
  QStringList Captions() const;

  TempDir appDir;
  TempDir romDir;
  kivo::app::AppContext context;
  FakeDialogs dialogs;
  std::unique_ptr<kivo::app::TMainForm> form;

 private:
  std::string startDir_;
};
