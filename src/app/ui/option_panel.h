// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTabWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/options.h"
#include "browser/list_entry.h"
#include "launch/emulator_profile.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace kivo::widgets {
class HandlerGuard;
}

namespace kivo::app {

class RadioGroup;
struct AppContext;

// The option tabs (Options, Sound, Setup, Video): every control bound to the option the table
// names for it, stored the moment the user changes it, and set from a configuration by LoadConfig.
// Showing what is stored never stores: a value a control cannot show as it is (the other build's
// gamma, a hand-edited number beyond the range) is shown as near as the control can and stays in
// the file as it was, so looking at a configuration, or at it under the other build, loses
// nothing. The signals are chosen so that Qt behaves as the panel's rules say: check boxes act on
// `toggled` (a change of state, whoever made it), sliders on `valueChanged` (after clamping, only
// when the position moved), radio groups on a move to an item, the DOS command on `textChanged`;
// the sample-rate box only on the user's choice (`activated`) or typing (`textEdited`), never on a
// programmatic index; menu check marks only on `triggered`, never when the program sets them.
class OptionPanel : public QTabWidget {
  Q_OBJECT

 public:
  OptionPanel(AppContext& context, widgets::HandlerGuard& guard, QWidget* parent);

  // Binds each option of the table to the control of its name under `root` (the window: the two
  // Preferences marks live in its menus).
  void BindOptions(QObject& root);

  // Shows what the emulator in the ZSNES folder offers: its video modes and sample rates, its gamma
  // range, and its missing options disabled with a tooltip saying so. Their stored values stay.
  void ApplyEmulatorProfile();
  const launch::PanelProfile& Panel() const { return launch::PanelProfileOf(panelBuild_); }
  // Sets every control, and the sliders' labels, from the configuration; stores nothing.
  void LoadConfig(const std::string& section);
  // Loads the configuration of the selected entry, unless it is the one shown.
  void SwitchConfiguration(const browser::ListEntry& entry);

  // The Setup tab's ZSNES folder picker, which the first start offers too.
  void cmdBrowseZSNESClick();

  // The DOS command as the user sees it in its field, and whether the field is in use.
  std::string ExtraCommand() const;
  bool ExtraCommandEnabled() const;
  // The Setup tab, which also holds the zip cache's row.
  QWidget* SetupPage() const;

  // Every option control with the option it stores.
  struct OptionBinding {
    const OptionDecl* option;
    QObject* control;
  };
  const std::vector<OptionBinding>& Bindings() const { return bindings_; }

 signals:
  // A configuration was loaded into the controls: the one an edit now goes to.
  void ConfigurationShown(const QString& section);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildOptionsTab(QWidget* page);
  void BuildSoundTab(QWidget* page);
  void BuildSetupTab(QWidget* page);
  void BuildVideoTab(QWidget* page);
  void Bind(const OptionDecl& option, QObject* control);
  void BrowseInto(const QString& title, QLineEdit* edit, const OptionDecl& option);

  // The Setup tab's other folder pickers.
  void cmdBrowseMediaClick();
  void cmdBrowseSavegameClick();

  // The change actions.
  void chkSoundClick();
  void sldCPUChange();
  void sldGammaChange();
  void sldFrameSkipChange();
  void sldVolumeChange();
  void optMemCopyClick();
  void optVideoModeClick();
  void cmbSampleRateChange(int index);
  void txtExtraCmdChange();
  void mnuHighPriorityClick(const QAction* mark);
  void mnuBatClick(const QAction* mark);
  // The shared action of every other bound check box: its new state stored under its key.
  void CheckBoxClick(const OptionDecl& option, QCheckBox* box);
  void ShowSliderLabels();

  // Runs a change action; an error it raises (a refused write) is shown, and crosses no Qt code.
  void RunChangeAction(const std::function<void()>& action);
  // The change actions' writes: nothing while the panel is showing what is stored, when the
  // control moved because the program set it.
  void StoreBool(std::string_view section, std::string_view key, bool value);
  void StoreInteger(std::string_view section, std::string_view key, int value);
  void StoreString(std::string_view section, std::string_view key, std::string_view value);
  void EnableExtraCommand(bool on);

  // Whether the build in use has the option the control stores.
  bool BuildHas(const QObject* control) const;
  // The controls the sound box enables and disables.
  std::vector<QWidget*> SoundControls() const;
  bool IsSoundControl(const QWidget* control) const;

  AppContext& context_;
  widgets::HandlerGuard& guard_;

  // Controls, named as the window's design names them; each has that name as its object name.
  // "Options" tab.
  RadioGroup* optMemCopy = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* lblCPU = nullptr;
  QSlider* sldCPU = nullptr;
  // "Sound" tab.
  QCheckBox* chkSound = nullptr;
  QCheckBox* chkStereo = nullptr;
  QCheckBox* chkBuffer = nullptr;
  QCheckBox* chkDisableSPCHack = nullptr;
  QCheckBox* chkBlaster = nullptr;
  QCheckBox* chkDisableDSP = nullptr;
  QComboBox* cmbSampleRate = nullptr;
  QLabel* imgVolume = nullptr;
  QSlider* sldVolume = nullptr;
  // "Setup" tab.
  QWidget* setupPage_ = nullptr;
  QLineEdit* txtDirZSNES = nullptr;
  QLineEdit* txtDirMedia = nullptr;
  QLineEdit* txtDirSavegame = nullptr;
  QLabel* lblExtraCmd = nullptr;
  QLineEdit* txtExtraCmd = nullptr;
  // "Video" tab.
  QCheckBox* chkFrameSkip = nullptr;
  QSlider* sldFrameSkip = nullptr;
  QLabel* lblGamma = nullptr;
  QSlider* sldGamma = nullptr;
  RadioGroup* optVideoMode = nullptr;

  std::vector<OptionBinding> bindings_;
  launch::EmulatorBuild panelBuild_ = launch::EmulatorBuild::Dos;
  std::vector<QWidget*> missingControls_;  // disabled because the build lacks their option
  int showing_ = 0;                        // above 0 while a load or the build's ranges set the controls
};

}  // namespace kivo::app
