// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The option tabs: each control bound to its option, the change actions that store a value the
// moment it changes, loading a configuration into the controls, and the per-game switch.
//
// The signals are chosen so that Qt behaves as the panel's rules say: check boxes act on
// `toggled` (a change of state, whoever made it), sliders on `valueChanged` (after clamping, only
// when the position moved), radio groups on a move to an item, the DOS command on `textChanged`;
// the sample-rate box only on the user's choice (`activated`) or typing (`textEdited`), never on
// a programmatic index; menu check marks only on `triggered`, never when the program sets them.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <algorithm>

#include "app/ui/byte_edit.h"
#include "app/ui/dialogs.h"
#include "app/ui/main_form.h"
#include "app/ui/radio_group.h"
#include "browser/configuration_switch.h"
#include "browser/list_entry.h"

void TMainForm::BindOptions() {
  // Each option of the table with a control is bound to it, found by its object name. The video
  // group's binding follows the emulator in use (ApplyEmulatorProfile).
  for (const OptionDecl* option : LoadOrder()) {
    if (option->control.empty()) continue;
    QObject* control = findChild<QObject*>(QString::fromLatin1(option->control.data(), option->control.size()));
    // A name the window does not have is a mistake in the table, found by the first start.
    if (control == nullptr) qFatal("option %s: no control named %s", option->key.data(), option->control.data());
    Bind(*option, control);
  }

  // Actions that do more than store one value.
  connect(chkSound, &QCheckBox::toggled, this, [this] { RunChangeAction([this] { chkSoundClick(); }); });
  connect(sldCPU, &QSlider::valueChanged, this, [this] { RunChangeAction([this] { sldCPUChange(); }); });
  connect(sldGamma, &QSlider::valueChanged, this, [this] { RunChangeAction([this] { sldGammaChange(); }); });
  connect(sldFrameSkip, &QSlider::valueChanged, this, [this] { RunChangeAction([this] { sldFrameSkipChange(); }); });
  connect(sldVolume, &QSlider::valueChanged, this, [this] { RunChangeAction([this] { sldVolumeChange(); }); });
  connect(optMemCopy, &RadioGroup::Changed, this, [this] { RunChangeAction([this] { optMemCopyClick(); }); });
  connect(optVideoMode, &RadioGroup::Changed, this, [this] { RunChangeAction([this] { optVideoModeClick(); }); });
  connect(cmbSampleRate, &QComboBox::activated, this,
          [this](int index) { RunChangeAction([this, index] { cmbSampleRateChange(index); }); });
  // After typing, the box has no chosen item.
  connect(cmbSampleRate->lineEdit(), &QLineEdit::textEdited, this,
          [this] { RunChangeAction([this] { cmbSampleRateChange(-1); }); });
  connect(txtExtraCmd, &QLineEdit::textChanged, this, [this] { RunChangeAction([this] { txtExtraCmdChange(); }); });
}

void TMainForm::Bind(const OptionDecl& option, QObject* control) {
  bindings_.push_back({&option, control});
  // Plain check boxes share one action; chkSound has its own (connected above).
  auto* box = qobject_cast<QCheckBox*>(control);
  if (box != nullptr && box != chkSound) {
    connect(box, &QCheckBox::toggled, this,
            [this, &option, box] { RunChangeAction([this, &option, box] { CheckBoxClick(option, box); }); });
  }
}

void TMainForm::ApplyEmulatorProfile() {
  panelBuild_ = FindEmulatorProfile(Settings()).build;
  const PanelProfile& panel = Panel();

  QStringList modes;
  for (const char* mode : panel.videoModes) modes << mode;
  optVideoMode->SetItems(modes);
  for (OptionBinding& binding : bindings_) {
    if (binding.control == optVideoMode) binding.option = panel.videoMode;
  }
  // The builds share their first six rates in the same order; only the extra ones come and go, so a
  // chosen rate stays chosen.
  const int rates = static_cast<int>(panel.sampleRates.size());
  while (cmbSampleRate->count() > rates) cmbSampleRate->removeItem(cmbSampleRate->count() - 1);
  while (cmbSampleRate->count() < rates) cmbSampleRate->addItem(panel.sampleRates[cmbSampleRate->count()]);
  sldGamma->setMaximum(panel.gammaMaximum);

  // A control that comes back takes the state the sound box gives it.
  for (QWidget* control : missingControls_) {
    control->setToolTip({});
    control->setEnabled(!IsSoundControl(control) || chkSound->isChecked());
  }
  missingControls_.clear();
  for (const OptionBinding& binding : bindings_) {
    auto* control = qobject_cast<QWidget*>(binding.control);
    if (control == nullptr || panel.Has(*binding.option)) continue;
    control->setEnabled(false);
    control->setToolTip(kNotInThisBuild);
    missingControls_.push_back(control);
  }
}

bool TMainForm::BuildHas(const QObject* control) const {
  for (const OptionBinding& binding : bindings_) {
    if (binding.control == control) return Panel().Has(*binding.option);
  }
  return true;
}

bool TMainForm::IsSoundControl(const QWidget* control) const {
  return std::find(SoundControls().begin(), SoundControls().end(), control) != SoundControls().end();
}

std::vector<QWidget*> TMainForm::SoundControls() const {
  return {chkStereo, chkBuffer, cmbSampleRate, chkBlaster, sldVolume, chkDisableSPCHack, chkDisableDSP};
}

void TMainForm::RunChangeAction(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    if (loading_ > 0) {
      if (!loadError_) loadError_ = std::current_exception();
    } else {
      ShowErrorReport(error.what());
    }
  }
}

void TMainForm::RaiseLoadError() {
  if (!loadError_) return;
  std::exception_ptr error = loadError_;
  loadError_ = nullptr;
  std::rethrow_exception(error);
}

void TMainForm::LoadConfig(const std::string& section) {
  SettingsFile& settings = Settings();
  // Which configuration an edit goes to.
  StatusPanels[0]->setText(FromBytes(section));
  struct LoadingScope {
    int& depth;
    explicit LoadingScope(int& d) : depth(d) { ++depth; }
    ~LoadingScope() { --depth; }
  } scope(loading_);

  for (const OptionDecl* option : LoadOrder()) {
    QObject* control = nullptr;
    for (const OptionBinding& binding : bindings_) {
      if (binding.option == option) control = binding.control;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      SetEditBytes(edit, ReadOptionText(settings, *option));
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
      box->setChecked(ReadOptionNumber(settings, *option, section) != 0);
    } else if (auto* slider = qobject_cast<QSlider*>(control)) {
      slider->setValue(ReadOptionNumber(settings, *option, section));
    } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
      group->SetItemIndex(ReadOptionNumber(settings, *option, section));
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      int index = ReadOptionNumber(settings, *option, section);
      combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* mark = qobject_cast<QAction*>(control)) {
      mark->setChecked(ReadOptionNumber(settings, *option, section) != 0);
      if (mark == mnuBat) {
        txtExtraCmd->setEnabled(mark->isChecked());
        lblExtraCmd->setEnabled(mark->isChecked());
      }
    }
    // A write refused by a change action ends the load where it happened.
    RaiseLoadError();
  }
}

void TMainForm::RunSliderActions() {
  sldCPUChange();
  sldGammaChange();
  sldVolumeChange();
  sldFrameSkipChange();
}

void TMainForm::CheckBoxClick(const OptionDecl& option, QCheckBox* box) {
  Settings().WriteBool(option.Section(context_.currentSection), option.key, box->isChecked());
}

void TMainForm::chkSoundClick() {
  bool on = chkSound->isChecked();
  Settings().WriteBool(option::Sound, on);
  for (QWidget* control : SoundControls()) control->setEnabled(on && BuildHas(control));
  imgVolume->setVisible(on);
}

void TMainForm::sldCPUChange() {
  lblCPU->setText(QString::number(sldCPU->value()) + "% CPU cycles");
  Settings().WriteInteger(context_.currentSection, option::CPUCycles.key, sldCPU->value());
}

void TMainForm::sldGammaChange() {
  lblGamma->setText("Gamma correct: " + QString::number(sldGamma->value()));
  Settings().WriteInteger(context_.currentSection, option::Gamma.key, sldGamma->value());
}

void TMainForm::sldFrameSkipChange() {
  chkFrameSkip->setText("Frameskip: " + QString::number(sldFrameSkip->value()));
  Settings().WriteInteger(context_.currentSection, option::FrameSkipValue.key, sldFrameSkip->value());
}

void TMainForm::sldVolumeChange() { Settings().WriteInteger(option::Volume, sldVolume->value()); }

void TMainForm::optMemCopyClick() { Settings().WriteInteger(option::MemCopy, optMemCopy->ItemIndex()); }

void TMainForm::optVideoModeClick() {
  Settings().WriteInteger(context_.currentSection, Panel().videoMode->key, optVideoMode->ItemIndex());
}

void TMainForm::cmbSampleRateChange(int index) { Settings().WriteInteger(option::SampleRate, index); }

void TMainForm::txtExtraCmdChange() { Settings().WriteString(option::ExtraCommand, EditBytes(txtExtraCmd)); }

void TMainForm::SwitchConfiguration() {
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry) return;
  std::string target = ConfigurationFor(*entry);
  // Letter case counts here: "zelda" and "Zelda" load the same section, but a change of spelling
  // still reloads.
  if (target == context_.currentSection) return;
  context_.currentSection = target;
  LoadConfig(context_.currentSection);
}

void TMainForm::mnuToggleConfigClick() {
  // A folder or drive has no configuration: its caption ("..", "/") is no game's name.
  const std::optional<ListEntry> entry = SelectedEntry();
  if (!entry || !entry->IsFile()) return;
  std::string caption(entry->caption);
  bool flag = Settings().ReadBool(section::Configs, context_.currentSection, false);
  Settings().WriteBool(section::Configs, caption, !flag);
  ScanDirectory();
}
