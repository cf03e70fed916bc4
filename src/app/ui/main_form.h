// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/options.h"
#include "browser/list_entry.h"
#include "launch/emulator_profile.h"
#include "screenshots/preview_state.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolBar;
class QToolButton;
class Dialogs;
class TZipCache;
class PreviewImage;
class RadioGroup;
class RomListModel;
class UpDown;

// KIVO's one window: the tool bar with its three menus, the screenshot preview, the option tabs,
// the ROM list and the status bar. Its handlers are thin: they read the controls, call the core and
// show the result; each runs inside Guard, so an error ends the handler with the error report and
// never crosses the event loop.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window and runs FormCreate. The context and dialogs outlive the window.
  TMainForm(AppContext& context, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Lifecycle.
  void FormCreate();
  void FormActivate();
  void FormClose();

  // Shell commands.
  void mnuExitClick();
  void mnuAboutClick();
  void mnuHighPriorityClick();
  void mnuBatClick();
  void KIVOReadme1Click();
  void KIVOHomepage1Click();
  void MailAuthot1Click();
  void ZSNESReadme1Click();
  void ZSNESHomepage1Click();
  // Opens a help document or web page; raises the program's error when it cannot.
  void OpenHelp(const std::string& fileOrUrl, bool isFile);
  void cmdBrowseZSNESClick();
  void cmdBrowseMediaClick();
  void cmdBrowseSavegameClick();
  bool BrowseForFolder(const QString& title, std::string& buffer);

  // ROM list.
  void ScanDirectory();
  void ListViewClick();
  void ListViewDblClick();
  void ListViewKeyUp(int key);
  void mnuDeleteClick();
  void popFilePopup();

  // Option panel.
  // Shows what the emulator in the ZSNES folder offers: its video modes and sample rates, its gamma
  // range, and its missing options disabled with a tooltip saying so. Their stored values stay.
  void ApplyEmulatorProfile();
  const PanelProfile& Panel() const { return PanelProfileOf(panelBuild_); }
  void LoadConfig(const std::string& section);
  void RunSliderActions();
  void SwitchConfiguration();
  void mnuToggleConfigClick();
  void chkSoundClick();
  void sldCPUChange();
  void sldGammaChange();
  void sldFrameSkipChange();
  void sldVolumeChange();
  void optMemCopyClick();
  void optVideoModeClick();
  void cmbSampleRateChange(int index);
  void txtExtraCmdChange();
  // The shared action of every other bound check box: its new state stored under its key.
  void CheckBoxClick(const OptionDecl& option, QCheckBox* box);

  // Screenshot preview of the selected entry, and filing the emulator's screenshot.
  void ShowSelectionPreview();
  void ShowTitlePicture();
  void Archivescreenshot1Click();

  // ROM analysis of the selected game.
  void mnuVerifyClick();
  void mnuInfoClick();
  // The plain ROM file of SelectedRomFile in the current folder, unpacked from its archive if need be.
  std::string SelectedRomPath();

  // Starting the selected game.
  void RunRom();

  // Zip cache.
  void CreateZipCache(int limit);
  void DestroyZipCache();
  void UpDownCacheClick();
  void btnCacheClick();
  void Unzip1Click();
  std::unique_ptr<TZipCache> ZipCache;

  // The entry selected in the list, if any; its names are valid until the list is scanned again.
  std::optional<ListEntry> SelectedEntry() const;

  // Runs a handler; an error it raises is shown as the application's error report.
  void Guard(const std::function<void()>& handler);
  void ShowErrorReport(const std::string& message);

  AppContext& Context() { return context_; }
  // Every option control with the option it stores.
  struct OptionBinding {
    const OptionDecl* option;
    QObject* control;
  };
  const std::vector<OptionBinding>& Bindings() const { return bindings_; }
  SettingsFile& Settings();

  PreviewState Preview;  // whether the title picture is shown

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Controls, named as the window's design names them; each has that name as its object name,
  // by which tests and tools find it.
  QWidget* Panel1 = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QToolButton* ToolButton3 = nullptr;
  PreviewImage* imgPreview0 = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QListView* ListView = nullptr;
  QLabel* StatusPanels[3] = {};

  QMenu* popFile = nullptr;
  QMenu* popPreferences = nullptr;
  QMenu* popHelp = nullptr;
  QAction* mnuToggleConfig = nullptr;
  QAction* mnuVerify = nullptr;
  QAction* mnuDelete = nullptr;
  QAction* Unzip1 = nullptr;
  QAction* mnuInfo = nullptr;
  QAction* Archivescreenshot1 = nullptr;
  QAction* mnuExit = nullptr;
  QAction* SingleClick1 = nullptr;
  QAction* mnuHighPriority = nullptr;
  QAction* mnuBat = nullptr;
  QAction* QuickROM1 = nullptr;
  QAction* KIVOReadme1 = nullptr;
  QAction* KIVOHomepage1 = nullptr;
  QAction* MailAuthot1 = nullptr;
  QAction* ZSNESReadme1 = nullptr;
  QAction* ZSNESHomepage1 = nullptr;
  QAction* mnuAbout = nullptr;

  // "Options" tab.
  RadioGroup* optMemCopy = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QCheckBox* chkEnter = nullptr;
  QCheckBox* chkDebugger = nullptr;
  QCheckBox* chkDisableMouse = nullptr;
  QCheckBox* chkGUI = nullptr;
  QCheckBox* chkNTSC = nullptr;
  QCheckBox* chkPAL = nullptr;
  QCheckBox* chkLoROM = nullptr;
  QCheckBox* chkHiROM = nullptr;
  QCheckBox* chkInterleaved = nullptr;
  QLabel* lblCPU = nullptr;
  QSlider* sldCPU = nullptr;
  // "Sound" tab.
  QCheckBox* chkSound = nullptr;
  QCheckBox* chkStereo = nullptr;
  QCheckBox* chkBuffer = nullptr;
  QCheckBox* chkDisableSPCHack = nullptr;
  QCheckBox* chkBlaster = nullptr;
  QCheckBox* chkDisableDSP = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* cmbSampleRate = nullptr;
  QLabel* imgVolume = nullptr;
  QSlider* sldVolume = nullptr;
  // "Setup" tab.
  QLabel* ZSNES = nullptr;
  QLineEdit* txtDirZSNES = nullptr;
  QPushButton* cmdBrowseZSNES = nullptr;
  QLabel* Label5 = nullptr;
  QLineEdit* txtDirMedia = nullptr;
  QPushButton* cmdBrowseMedia = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* txtDirSavegame = nullptr;
  QPushButton* cmdBrowseSavegame = nullptr;
  QLabel* lblExtraCmd = nullptr;
  QLineEdit* txtExtraCmd = nullptr;
  QLabel* lblKeep = nullptr;
  QLineEdit* EditCacheSize = nullptr;
  UpDown* UpDownCache = nullptr;
  QLabel* lblRomsInCache = nullptr;
  QPushButton* btnCache = nullptr;
  // "Video" tab.
  QCheckBox* chkScanlines = nullptr;
  QCheckBox* chkVSync = nullptr;
  QCheckBox* chkInterpolation = nullptr;
  QCheckBox* chkNewEngine = nullptr;
  QCheckBox* chkSmallScreen = nullptr;
  QCheckBox* chkScale = nullptr;
  QCheckBox* chkColor0 = nullptr;
  QCheckBox* chkOffBy1LineFix = nullptr;
  QCheckBox* chkFrameSkip = nullptr;
  QSlider* sldFrameSkip = nullptr;
  QLabel* lblGamma = nullptr;
  QSlider* sldGamma = nullptr;
  RadioGroup* optVideoMode = nullptr;

  RomListModel* ListModel = nullptr;

  void BuildMenus();
  void BuildToolBar();
  void BuildPanel();
  void BuildListAndStatusBar();
  void BuildOptionsTab(QWidget* page);
  void BuildSoundTab(QWidget* page);
  void BuildSetupTab(QWidget* page);
  void BuildVideoTab(QWidget* page);
  void BrowseInto(const QString& title, QLineEdit* edit, const OptionDecl& option);
  void SetStatusFolder(const QString& text);
  void BindOptions();
  void Bind(const OptionDecl& option, QObject* control);
  // Runs a change action. While a load sets the controls, an error is kept for the load to raise
  // once the control is set; otherwise it is shown at once. Either way no error crosses Qt's code.
  void RunChangeAction(const std::function<void()>& action);
  void RaiseLoadError();

  // Whether the build in use has the option the control stores.
  bool BuildHas(const QObject* control) const;
  // The controls the sound box enables and disables.
  std::vector<QWidget*> SoundControls() const;
  bool IsSoundControl(const QWidget* control) const;

  std::vector<OptionBinding> bindings_;
  EmulatorBuild panelBuild_ = EmulatorBuild::Dos;
  std::vector<QWidget*> missingControls_;  // disabled because the build lacks their option
  int loading_ = 0;
  std::exception_ptr loadError_;

  AppContext& context_;
  Dialogs& dialogs_;
  bool activating_ = false;
  bool enterPressedInList_ = false;  // the list received the press of the Enter it is released from
  bool closed_ = false;
};
