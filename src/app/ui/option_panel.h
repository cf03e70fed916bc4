// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTabWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/options.h"
#include "app/ui/option_controls.h"
#include "browser/list_entry.h"
#include "launch/emulator_profile.h"

class QAction;
class QBoxLayout;
class QLabel;

namespace kivo::widgets {
class HandlerGuard;
}

namespace kivo::app {

struct AppContext;

// The option tabs (Options, Sound, Setup, Video), built from controls bound to their options
// (option_controls.h), and the panel's own rules: which controls the emulator in the ZSNES folder
// offers, the sound box enabling the sound controls, the sliders' captions, "Shell through .bat"
// enabling the DOS command, and the Setup tab's folder pickers.
class OptionPanel : public QTabWidget {
  Q_OBJECT

 public:
  OptionPanel(AppContext& context, widgets::HandlerGuard& guard, QWidget* parent);

  // Binds the window's two Preferences marks, which live in its menus.
  void BindMarks(QAction* shellBat, QAction* highPriority);

  // Shows what the emulator in the ZSNES folder offers: its video modes and sample rates, its gamma
  // range, and its missing options disabled with a tooltip saying so. Their stored values stay.
  void ApplyEmulatorProfile();
  const launch::PanelProfile& Panel() const { return launch::PanelProfileOf(panelBuild_); }
  // Sets every control, and the sliders' captions, from the configuration; stores nothing.
  void LoadConfig(const std::string& section);
  // Loads the configuration of the selected entry, unless it is the one shown.
  void SwitchConfiguration(const browser::ListEntry& entry);

  // The Setup tab's ZSNES folder picker, which the first start offers too.
  void cmdBrowseZSNESClick();

  // The DOS command as the user sees it in its field, and whether the field is in use.
  std::string ExtraCommand() const;
  bool ExtraCommandEnabled() const;
  // Adds the zip cache's row to the Setup tab, below the DOS command.
  void AddSetupRow(QWidget* row);

  // Every bound control, in the options' load order.
  const std::vector<OptionBindings::Control*>& Bindings() const { return bindings_.Controls(); }

 signals:
  // A configuration was loaded into the controls: the one an edit now goes to.
  void ConfigurationShown(const QString& section);

 private:
  QWidget* BuildOptionsTab();
  QWidget* BuildSoundTab();
  QWidget* BuildSetupTab();
  QWidget* BuildVideoTab();
  // A folder field with its ".." button, under its caption, added to `column`.
  struct FolderField {
    const OptionDecl& option;
    const char* label;
    const char* caption;
    const char* edit;
    const char* button;
    const char* buttonTip;
    void (OptionPanel::*browse)();
  };
  OptionEdit* FolderRow(QBoxLayout* column, const FolderField& field);
  void BrowseInto(const QString& title, OptionEdit* edit);
  // A folder typed or pasted into a field, checked when the user leaves it: a folder that is not
  // there is refused (the field shows the stored one again); a ZSNES folder without the emulator is
  // stored and said at once, not first at the next launch.
  void FolderEdited(OptionEdit* edit);

  // The Setup tab's other folder pickers.
  void cmdBrowseMediaClick();
  void cmdBrowseSavegameClick();

  void chkSoundClick();
  void ShowSliderLabels();
  void EnableExtraCommand(bool on);
  // Whether the build in use has the option the control stores.
  bool BuildHas(const QWidget* control) const;

  AppContext& context_;
  widgets::HandlerGuard& guard_;
  OptionBindings bindings_;

  // The controls the panel's rules reach; each has its design name as its object name.
  OptionCheckBox* chkSound = nullptr;
  std::vector<QWidget*> soundControls_;  // what the sound box enables and disables
  QLabel* imgVolume = nullptr;
  QLabel* lblCPU = nullptr;
  OptionSlider* sldCPU = nullptr;
  OptionComboBox* cmbSampleRate = nullptr;
  QWidget* setupPage_ = nullptr;
  OptionEdit* txtDirZSNES = nullptr;
  OptionEdit* txtDirMedia = nullptr;
  OptionEdit* txtDirSavegame = nullptr;
  QLabel* lblExtraCmd = nullptr;
  OptionEdit* txtExtraCmd = nullptr;
  OptionCheckBox* chkFrameSkip = nullptr;
  OptionSlider* sldFrameSkip = nullptr;
  QLabel* lblGamma = nullptr;
  OptionSlider* sldGamma = nullptr;
  OptionRadioGroup* optVideoMode = nullptr;

  launch::EmulatorBuild panelBuild_ = launch::EmulatorBuild::Dos;
  std::vector<QWidget*> missingControls_;  // disabled because the build lacks their option
};

}  // namespace kivo::app
