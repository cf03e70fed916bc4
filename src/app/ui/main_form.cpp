// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The window's construction: its panels laid out (at the designed size as designed; made larger,
// the list and the preview grow and the option tabs keep their natural size), and how the panels'
// signals reach the handlers.
#include "app/ui/main_form.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/options.h"
#include "app/ui/menus.h"
#include "browser/ui/rom_browser.h"
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
constexpr int kPreviewWidth = 257;
constexpr int kPreviewHeight = 217;

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
  move(kDesignLeft, kDesignTop);
  resize(kDesignWidth, kDesignHeight);

  BuildLayout();
  // The designed smallest size bounds the place restored as the window is made; what the controls
  // need beyond it is known once the window's layout has measured them, as it is shown.
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  ConnectPanels();
  PageControl1->BindMarks(menus_->Item("mnuBat"), menus_->Item("mnuHighPriority"));
  guard_.Run([this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildLayout() {
  menus_ = new Menus(context_, guard_, this);
  // The left panel: the tool bar, the preview, which takes the height the option tabs leave, and
  // the tabs at their natural size.
  Panel1 = new QWidget;
  Panel1->setObjectName("Panel1");
  auto* left = new QVBoxLayout(Panel1);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(3);
  left->addWidget(menus_->BuildToolBar(Panel1));
  imgPreview0 = new screenshots::PreviewPanel(Panel1);
  // The design's picture area: a screenshot's width, drawn whole from there on.
  imgPreview0->setMinimumSize(kPreviewWidth, kPreviewHeight);
  left->addWidget(imgPreview0, 1);
  PageControl1 = new OptionPanel(context_, guard_, Panel1);
  PageControl1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  left->addWidget(PageControl1, 0, Qt::AlignLeft);
  cacheRow_ = new zipcache::CacheRow(context_, guard_, nullptr);
  PageControl1->AddSetupRow(cacheRow_);

  ListView = new browser::RomBrowser;
  ListView->SetViewSetup([this](QAbstractItemView* view) { menus_->AttachFileMenu(view); });
  ListView->AddToSearchRow(menus_->BuildViewButton(ListView));
  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  // Made wider, the window gives the list and the preview their shares of the designed widths.
  layout->addWidget(Panel1, kPreviewWidth);
  layout->addWidget(ListView, kDesignWidth - kPreviewWidth);
  setCentralWidget(central);

  auto* bar = new QStatusBar;
  bar->setObjectName("StatusBar");
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
  connect(ListView, &browser::RomBrowser::Clicked, this, guard_.Wrap([this] { ListViewClick(); }));
  connect(ListView, &browser::RomBrowser::Opened, this, guard_.Wrap([this] { ListViewDblClick(); }));
  connect(ListView, &browser::RomBrowser::FolderChanged, this, guard_.Wrap([this] { RefreshList(); }));
  connect(ListView, &browser::RomBrowser::SortChanged, this,
          [this](browser::ListColumn column, bool descending) {
            guard_.Run([&] {
              context_.Settings().WriteInteger(option::ListSortColumn, static_cast<int>(column));
              context_.Settings().WriteBool(option::ListSortDescending, descending);
            });
          });
  // Keys of the whole window, whichever control has the keyboard.
  auto* search = new QShortcut(QKeySequence::Find, this);
  connect(search, &QShortcut::activated, ListView, &browser::RomBrowser::FocusSearch);
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
      {"mnuFavourite", &TMainForm::mnuFavouriteClick},
      {"mnuList", &TMainForm::mnuListClick},
      {"mnuDetails", &TMainForm::mnuDetailsClick},
      {"mnuRefresh", &TMainForm::RefreshList},
  };
  for (const auto& [name, handler] : items) menus_->OnItem(name, [this, h = handler] { (this->*h)(); });
  menus_->OnItem("mnuExit", [this] { close(); });
}

std::optional<browser::ListEntry> TMainForm::SelectedEntry() const { return ListView->SelectedEntry(); }

const screenshots::PreviewState& TMainForm::Preview() const { return imgPreview0->State(); }

zipcache::TZipCache* TMainForm::ZipCache() const { return zipCache_.get(); }

const std::vector<OptionBindings::Control*>& TMainForm::Bindings() const { return PageControl1->Bindings(); }

void TMainForm::SetStatusFolder(const QString& text) { StatusPanels[2]->setText(text); }

void TMainForm::FitMinimumSize() {
  // The designed smallest size, or more where a larger font or another style needs it, so that no
  // caption is ever cut.
  setMinimumSize(minimumSizeHint().expandedTo(QSize(kMinimumWidth, kMinimumHeight)));
}

bool TMainForm::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  // The contents' needs have changed (a larger font, another style): the layout has been worked
  // out anew by now.
  if (event->type() == QEvent::LayoutRequest) FitMinimumSize();
  return handled;
}

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
  if (event->spontaneous()) return;
  // The layout has just worked out every control's size for the window about to appear, so the
  // smallest size costs nothing now; asked while the window was being built, it measured
  // everything once more.
  FitMinimumSize();
  // The window's layout has sized the list by now. Laying its entries out before the first paint
  // puts the scroll bar in place, so the list is drawn once instead of again when the bar appears.
  ListView->View()->doItemsLayout();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!closed_) FormClose();
  event->accept();
}

}  // namespace kivo::app
