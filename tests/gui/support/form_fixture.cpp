// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gui/support/form_fixture.h"

#include <QListView>
#include <QTest>

#include "app/ini_document.h"
#include "browser/ui/rom_list_model.h"
#include "gui/support/find_child.h"
#include "platform/dirs.h"

using namespace kivo::app;
using namespace kivo::browser;

FormFixture::FormFixture() : startDir_(kivo::platform::GetCurrentDir()) {
  context.appDir = appDir.Path();
  context.settingsFile = std::make_unique<SettingsFile>(IniPath());
  SetIni("[General]\nRun first=0\nROMDirectory=" + romDir.Path() + "\n");
}

FormFixture::~FormFixture() {
  form.reset();
  kivo::platform::SetCurrentDir(startDir_);
}

TMainForm& FormFixture::Start(bool show) {
  form = std::make_unique<TMainForm>(context, dialogs);
  if (show) {
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("the main window was not exposed");
  }
  return *form;
}

void FormFixture::Close() { form->close(); }

std::string FormFixture::IniValue(const std::string& section, const std::string& key) const {
  std::string_view value;
  return IniDocument(Ini()).Find(section, key, value) ? std::string(value) : "<missing>";
}

int FormFixture::Row(const QString& caption, int kind) const {
  const RomListModel* model = ListModelOf(*form);
  for (int row = 0; row < model->Count(); ++row) {
    const std::optional<ListEntry> entry = model->EntryAt(row);
    if (model->data(model->index(row), Qt::DisplayRole).toString() == caption && (kind < 0 || entry->kind == kind))
      return row;
  }
  return -1;
}

QStringList FormFixture::Captions() const {
  QStringList captions;
  for (int row = 0; row < ListModelOf(*form)->Count(); ++row)
    captions << ListModelOf(*form)->data(ListModelOf(*form)->index(row), Qt::DisplayRole).toString();
  return captions;
}

int FormFixture::FileRow(const std::string& fileName) const {
  for (int row = 0; row < ListModelOf(*form)->Count(); ++row) {
    if (ListModelOf(*form)->EntryAt(row)->fileName == fileName) return row;
  }
  return -1;
}

bool FormFixture::ClickRow(int row, bool twice) {
  if (row < 0) return false;
  QListView* view = Child<QListView>(*form, "ListView");
  QModelIndex index = ListModelOf(*form)->index(row);
  view->scrollTo(index);
  const QPoint at = view->visualRect(index).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  return true;
}

RomListModel* ListModelOf(TMainForm& form) {
  auto* model = dynamic_cast<RomListModel*>(Child<QListView>(form, "ListView")->model());
  if (model == nullptr) qFatal("the ROM list has no RomListModel");
  return model;
}
