// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The window's construction: its panels placed as designed (the left panel keeps its width and its
// controls keep their places when the window is resized; the list takes the rest), and how the
// panels' signals reach the handlers.
#include "app/ui/main_form.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QStatusBar>

#include "app/ui/menus.h"
#include "browser/ui/rom_list.h"
#include "gif/ui/gif_image_format.h"
#include "screenshots/ui/preview_panel.h"
#include "zipcache/ui/cache_row.h"
#include "zipcache/zip_cache.h"

// The pictures are compiled into the static UI library, whose resource initialiser the linker would
// drop unless something refers to it.
static void InitKivoResources() { Q_INIT_RESOURCE(kivo); }

namespace kivo::app {

namespace {

// The window's designed place and size (client area) and its smallest size.
constexpr int kDesignLeft = 343;
constexpr int kDesignTop = 78;
constexpr int kDesignWidth = 685;
constexpr int kDesignHeight = 568;
constexpr int kMinimumWidth = 450;
constexpr int kMinimumHeight = 550;

}  // namespace

TMainForm::TMainForm(AppContext& context, widgets::Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), context_(context), guard_(dialogs, this) {
  InitKivoResources();
  gif::RegisterGifImageFormat();
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

  BuildLayout();
  ConnectPanels();
  PageControl1->BindOptions(*this);
  guard_.Run([this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildLayout() {
  menus_ = new Menus(context_, guard_, this);
  Panel1 = new QWidget;
  Panel1->setObjectName("Panel1");
  Panel1->setFixedWidth(257);
  menus_->BuildToolBar(Panel1);
  imgPreview0 = new screenshots::PreviewPanel(Panel1);
  imgPreview0->setGeometry(0, 28, 257, 217);
  PageControl1 = new OptionPanel(context_, guard_, Panel1);
  PageControl1->setGeometry(0, 248, 255, 257);
  cacheRow_ = new zipcache::CacheRow(context_, guard_, PageControl1->SetupPage());
  cacheRow_->setGeometry(0, 200, 249, 25);

  ListView = new browser::RomList;
  menus_->AttachFileMenu(ListView);
  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(ListView, 1);
  setCentralWidget(central);

  auto* bar = new QStatusBar;
  bar->setObjectName("StatusBar");
  bar->setFixedHeight(19);
  bar->setSizeGripEnabled(true);
  const int widths[3] = {128, 128, 50};
  for (int i = 0; i < 3; ++i) {
    StatusPanels[i] = new QLabel;
    StatusPanels[i]->setObjectName(QString("StatusPanels%1").arg(i));
    StatusPanels[i]->setFrameShape(QFrame::Panel);
    StatusPanels[i]->setFrameShadow(QFrame::Sunken);
    StatusPanels[i]->setMinimumWidth(widths[i]);
    if (i < 2) StatusPanels[i]->setFixedWidth(widths[i]);
    // The folder panel is the last one: it takes the rest of the bar so a long path stays legible.
    bar->addWidget(StatusPanels[i], i == 2 ? 1 : 0);
  }
  StatusPanels[2]->setText("Dir");
  setStatusBar(bar);
}

void TMainForm::ConnectPanels() {
  connect(ListView, &browser::RomList::Clicked, this, guard_.Wrap([this] { ListViewClick(); }));
  connect(ListView, &browser::RomList::Opened, this, guard_.Wrap([this] { ListViewDblClick(); }));
  connect(imgPreview0, &screenshots::PreviewImage::Clicked, this, guard_.Wrap([this] { ListViewDblClick(); }));
  // Which configuration an edit goes to.
  connect(PageControl1, &OptionPanel::ConfigurationShown, StatusPanels[0], &QLabel::setText);
  const std::pair<const char*, void (TMainForm::*)()> items[] = {
      {"mnuToggleConfig", &TMainForm::mnuToggleConfigClick},
      {"mnuVerify", &TMainForm::mnuVerifyClick},
      {"mnuDelete", &TMainForm::mnuDeleteClick},
      {"mnuInfo", &TMainForm::mnuInfoClick},
      {"Unzip1", &TMainForm::Unzip1Click},
      {"Archivescreenshot1", &TMainForm::Archivescreenshot1Click},
  };
  for (const auto& [name, handler] : items) menus_->OnItem(name, [this, h = handler] { (this->*h)(); });
  menus_->OnItem("mnuExit", [this] { close(); });
}

std::optional<browser::ListEntry> TMainForm::SelectedEntry() const { return ListView->SelectedEntry(); }

const screenshots::PreviewState& TMainForm::Preview() const { return imgPreview0->State(); }

zipcache::TZipCache* TMainForm::ZipCache() const { return zipCache_.get(); }

const std::vector<OptionPanel::OptionBinding>& TMainForm::Bindings() const { return PageControl1->Bindings(); }

void TMainForm::SetStatusFolder(const QString& text) { StatusPanels[2]->setText(text); }

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The activation's own message box and picker deactivate and reactivate the window; the
  // guard keeps that from asking twice.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activating_) {
    activating_ = true;
    guard_.Run([this] { FormActivate(); });
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

}  // namespace kivo::app
