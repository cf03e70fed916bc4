// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/ui/main_form.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QShowEvent>

#include "app/ui/dialogs.h"
#include "browser/ui/rom_list_model.h"
#include "common/error.h"
#include "common/error_report.h"
#include "gif/ui/gif_image_format.h"
#include "zipcache/zip_cache.h"

// The pictures are compiled into the static UI library, whose resource initialiser the linker would
// drop unless something refers to it.
static void InitKivoResources() { Q_INIT_RESOURCE(kivo); }

namespace {

// The window's designed place and size (client area) and its smallest size.
constexpr int kDesignLeft = 343;
constexpr int kDesignTop = 78;
constexpr int kDesignWidth = 685;
constexpr int kDesignHeight = 568;
constexpr int kMinimumWidth = 450;
constexpr int kMinimumHeight = 550;

}  // namespace

TMainForm::TMainForm(AppContext& context, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), context_(context), dialogs_(dialogs) {
  InitKivoResources();
  RegisterGifImageFormat();
  setObjectName("MainForm");
  setWindowTitle("KIVO");
  setWindowIcon(QIcon(":/kivo.png"));
  // The layout was designed for a narrow 8-point sans serif; Liberation Sans has those metrics.
  QFont font("Liberation Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  setFont(font);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  move(kDesignLeft, kDesignTop);
  resize(kDesignWidth, kDesignHeight);

  BuildMenus();
  BuildPanel();
  BuildListAndStatusBar();
  BindOptions();
  Guard([this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

SettingsFile& TMainForm::Settings() {
  if (!context_.settingsFile) throw KivoError("The settings file is closed");
  return *context_.settingsFile;
}

void TMainForm::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowErrorReport(error.what());
  }
}

void TMainForm::ShowErrorReport(const std::string& message) {
  dialogs_.Message(this, FromBytes(ErrorReportText(message)), "KIVO", Dialogs::Icon::Stop);
}

std::optional<ListEntry> TMainForm::SelectedEntry() const {
  QModelIndex index = ListView->currentIndex();
  if (!index.isValid() || !ListView->selectionModel()->isSelected(index)) return std::nullopt;
  return ListModel->EntryAt(index.row());
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The activation's own message box and picker deactivate and reactivate the window; the
  // guard keeps that from asking twice.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activating_) {
    activating_ = true;
    Guard([this] { FormActivate(); });
    activating_ = false;
  }
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The window's layout has sized the list by now. Laying its entries out before the first paint
  // puts the scroll bar in place, so the list is drawn once instead of again when the bar appears.
  if (!event->spontaneous()) ListView->doItemsLayout();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!closed_) FormClose();
  event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cmbSampleRate->lineEdit() && event->type() == QEvent::KeyPress) {
    int code = static_cast<QKeyEvent*>(event)->key();
    // The box would choose the item the typed text names; typing stores no item.
    if (code == Qt::Key_Return || code == Qt::Key_Enter) return true;
  }
  if (watched == ListView && event->type() == QEvent::KeyPress) {
    int code = static_cast<QKeyEvent*>(event)->key();
    if (code == Qt::Key_Return || code == Qt::Key_Enter) enterPressedInList_ = true;
    return false;
  }
  if (watched == ListView && event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) {
      int code = key->key();
      Guard([this, code] { ListViewKeyUp(code); });
    }
    return false;
  }
  if (watched == ListView->viewport() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // The list moved its selection on the press; the click acts on it.
    Guard([this] { ListViewClick(); });
    return false;
  }
  return QMainWindow::eventFilter(watched, event);
}
