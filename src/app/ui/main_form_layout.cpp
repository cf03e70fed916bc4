// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The window's tool bar, menus, left panel, ROM list and status bar, placed as designed: the left
// panel keeps its width and its controls keep their places when the window is resized; the list
// takes the rest.
#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "app/ui/main_form.h"
#include "browser/ui/rom_list_model.h"
#include "screenshots/ui/preview_image.h"

namespace {

// A menu item named as the window's design names it, so it can be found by name.
QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const char* icon) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (icon != nullptr) action->setIcon(QIcon(QString(":/menu/%1.png").arg(icon)));
  return action;
}

}  // namespace

void TMainForm::BuildMenus() {
  popFile = new QMenu(this);
  popFile->setObjectName("popFile");
  mnuToggleConfig = AddItem(popFile, "mnuToggleConfig", "&Toggle Config", "toggle_config");
  mnuVerify = AddItem(popFile, "mnuVerify", "Verify &checksum", "verify");
  mnuDelete = AddItem(popFile, "mnuDelete", "&Delete", "delete");
  Unzip1 = AddItem(popFile, "Unzip1", "&Unzip", "unzip");
  mnuInfo = AddItem(popFile, "mnuInfo", "Info", "info");
  Archivescreenshot1 = AddItem(popFile, "Archivescreenshot1", "&Archive screenshot", "archive_screenshot");
  popFile->addSeparator();
  mnuExit = AddItem(popFile, "mnuExit", "E&xit", "exit");

  // The two shortcuts belong to the ROM list, which carries this menu: they act only while the
  // list has the keyboard focus.
  mnuVerify->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  Archivescreenshot1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  for (QAction* action : {mnuVerify, Archivescreenshot1}) action->setShortcutContext(Qt::WidgetShortcut);

  popPreferences = new QMenu(this);
  popPreferences->setObjectName("popPreferences");
  SingleClick1 = AddItem(popPreferences, "SingleClick1", "&Single Click", nullptr);
  mnuHighPriority = AddItem(popPreferences, "mnuHighPriority", "&High priority", "high_priority");
  mnuBat = AddItem(popPreferences, "mnuBat", "Shell through .&bat", "shell_bat");
  popPreferences->addSeparator();
  QuickROM1 = AddItem(popPreferences, "QuickROM1", "&QuickROM", nullptr);
  SingleClick1->setEnabled(false);
  QuickROM1->setEnabled(false);
  mnuHighPriority->setCheckable(true);
  mnuBat->setCheckable(true);

  popHelp = new QMenu(this);
  popHelp->setObjectName("popHelp");
  // F1 is shown beside the item, but no control that takes the focus carries this menu, so the
  // key itself does nothing.
  KIVOReadme1 = AddItem(popHelp, "KIVOReadme1", "KIVO Readme\tF1", "readme");
  KIVOHomepage1 = AddItem(popHelp, "KIVOHomepage1", "KIVO Homepage", "homepage");
  MailAuthot1 = AddItem(popHelp, "MailAuthot1", "Mail Author", "mail");
  popHelp->addSeparator();
  ZSNESReadme1 = AddItem(popHelp, "ZSNESReadme1", "ZSNES Readme", "readme");
  ZSNESHomepage1 = AddItem(popHelp, "ZSNESHomepage1", "ZSNES Homepage", "homepage");
  popHelp->addSeparator();
  mnuAbout = AddItem(popHelp, "mnuAbout", "&About", "about");

  connect(popFile, &QMenu::aboutToShow, this, [this] { Guard([this] { popFilePopup(); }); });
  const std::pair<QAction*, void (TMainForm::*)()> handlers[] = {
      {mnuToggleConfig, &TMainForm::mnuToggleConfigClick},
      {mnuVerify, &TMainForm::mnuVerifyClick},
      {mnuDelete, &TMainForm::mnuDeleteClick},
      {mnuInfo, &TMainForm::mnuInfoClick},
      {Unzip1, &TMainForm::Unzip1Click},
      {Archivescreenshot1, &TMainForm::Archivescreenshot1Click},
      {mnuExit, &TMainForm::mnuExitClick},
      {mnuHighPriority, &TMainForm::mnuHighPriorityClick},
      {mnuBat, &TMainForm::mnuBatClick},
      {KIVOReadme1, &TMainForm::KIVOReadme1Click},
      {KIVOHomepage1, &TMainForm::KIVOHomepage1Click},
      {MailAuthot1, &TMainForm::MailAuthot1Click},
      {ZSNESReadme1, &TMainForm::ZSNESReadme1Click},
      {ZSNESHomepage1, &TMainForm::ZSNESHomepage1Click},
      {mnuAbout, &TMainForm::mnuAboutClick},
  };
  for (const auto& [action, handler] : handlers) {
    // triggered, not toggled: a check mark set by the program runs nothing.
    connect(action, &QAction::triggered, this,
            [this, handler = handler] { Guard([this, handler] { (this->*handler)(); }); });
  }
}

void TMainForm::BuildToolBar() {
  ToolBar1 = new QToolBar(Panel1);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setGeometry(0, 0, 257, 28);
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setStyleSheet(
      "QToolBar { border: 1px solid palette(mid); border-top: none; border-left: none; "
      "border-right: none; spacing: 2px; }");
  struct Button {
    QToolButton** button;
    const char* tip;
    const char* icon;
    QMenu* menu;
  } buttons[] = {
      {&ToolButton1, "File", ":/toolbar/file.png", popFile},
      {&ToolButton2, "Preferences", ":/toolbar/preferences.png", popPreferences},
      {&ToolButton3, "Help", ":/toolbar/help.png", popHelp},
  };
  for (const Button& b : buttons) {
    auto* button = new QToolButton(ToolBar1);
    button->setToolTip(b.tip);
    button->setIcon(QIcon(b.icon));
    button->setMenu(b.menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setAutoRaise(true);
    button->setObjectName(QString("ToolButton%1").arg(&b - buttons + 1));
    // The same menu opens on a right click of the button.
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this,
            [button, menu = b.menu](const QPoint& at) { menu->popup(button->mapToGlobal(at)); });
    ToolBar1->addWidget(button);
    *b.button = button;
  }
}

void TMainForm::BuildPanel() {
  Panel1 = new QWidget;
  Panel1->setObjectName("Panel1");
  Panel1->setFixedWidth(257);
  BuildToolBar();

  imgPreview0 = new PreviewImage(Panel1);
  imgPreview0->setObjectName("imgPreview0");
  imgPreview0->setGeometry(0, 28, 257, 217);
  connect(imgPreview0, &PreviewImage::Clicked, this, [this] { Guard([this] { ListViewDblClick(); }); });

  PageControl1 = new QTabWidget(Panel1);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setGeometry(0, 248, 255, 257);
  struct Page {
    const char* caption;
    void (TMainForm::*build)(QWidget*);
  } pages[] = {{"Options", &TMainForm::BuildOptionsTab},
               {"Sound", &TMainForm::BuildSoundTab},
               {"Setup", &TMainForm::BuildSetupTab},
               {"Video", &TMainForm::BuildVideoTab}};
  for (const Page& page : pages) {
    auto* widget = new QWidget;
    widget->setObjectName(page.caption);
    (this->*page.build)(widget);
    PageControl1->addTab(widget, page.caption);
  }
  PageControl1->setCurrentIndex(2);
}

void TMainForm::BuildListAndStatusBar() {
  ListView = new QListView;
  ListView->setObjectName("ListView");
  ListModel = new RomListModel(this);
  ListView->setModel(ListModel);
  ListModel->SetFont(font());
  // Small icons with captions in columns, as a file browser's list mode.
  ListView->setViewMode(QListView::ListMode);
  ListView->setFlow(QListView::TopToBottom);
  ListView->setWrapping(true);
  ListView->setResizeMode(QListView::Adjust);
  // Uniform sizes make laying out even 20,000 entries a matter of arithmetic, so the list is laid
  // out in one pass; batches would paint it once per batch.
  ListView->setUniformItemSizes(true);
  ListView->setIconSize(QSize(16, 16));
  ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListView->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListView, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popFile->popup(ListView->viewport()->mapToGlobal(at)); });
  ListView->addAction(mnuVerify);
  ListView->addAction(Archivescreenshot1);
  ListView->installEventFilter(this);
  ListView->viewport()->installEventFilter(this);
  connect(ListView, &QAbstractItemView::doubleClicked, this, [this] { Guard([this] { ListViewDblClick(); }); });

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

void TMainForm::SetStatusFolder(const QString& text) { StatusPanels[2]->setText(text); }
