// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The option panel: binding, loading, the change actions and the Setup tab's folder pickers.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <algorithm>

#include "app/app_context.h"
#include "app/ui/byte_edit.h"
#include "app/ui/option_panel.h"
#include "app/ui/radio_group.h"
#include "browser/configuration_switch.h"
#include "browser/list_entry.h"
#include "widgets/dialogs.h"
#include "widgets/handler_guard.h"

namespace kivo::app {

namespace {

// Marks the panel as showing what is stored, for as long as it lives.
class ShowingScope {
 public:
  explicit ShowingScope(int& depth) : depth_(depth) { ++depth_; }
  ~ShowingScope() { --depth_; }
  ShowingScope(const ShowingScope&) = delete;
  ShowingScope& operator=(const ShowingScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

OptionPanel::OptionPanel(AppContext& context, widgets::HandlerGuard& guard, QWidget* parent)
    : QTabWidget(parent), context_(context), guard_(guard) {
  setObjectName("PageControl1");
  const struct {
    const char* caption;
    void (OptionPanel::*build)(QWidget*);
  } pages[] = {{"Options", &OptionPanel::BuildOptionsTab},
               {"Sound", &OptionPanel::BuildSoundTab},
               {"Setup", &OptionPanel::BuildSetupTab},
               {"Video", &OptionPanel::BuildVideoTab}};
  for (const auto& page : pages) {
    auto* widget = new QWidget;
    widget->setObjectName(page.caption);
    (this->*page.build)(widget);
    addTab(widget, page.caption);
  }
  setCurrentIndex(2);
}

void OptionPanel::BindOptions(QObject& root) {
  // Each option of the table with a control is bound to it, found by its object name. The video
  // group's binding follows the emulator in use (ApplyEmulatorProfile).
  for (const OptionDecl* option : LoadOrder()) {
    if (option->control.empty()) continue;
    QObject* control = root.findChild<QObject*>(QString::fromLatin1(option->control.data(), option->control.size()));
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

void OptionPanel::Bind(const OptionDecl& option, QObject* control) {
  bindings_.push_back({&option, control});
  // Plain check boxes share one action; chkSound has its own (connected above).
  auto* box = qobject_cast<QCheckBox*>(control);
  if (box != nullptr && box != chkSound) {
    connect(box, &QCheckBox::toggled, this,
            [this, &option, box] { RunChangeAction([this, &option, box] { CheckBoxClick(option, box); }); });
  }
  // The Preferences marks: the menu has already inverted the mark when it is triggered.
  if (auto* mark = qobject_cast<QAction*>(control)) {
    auto action = &option == &option::ShellBat ? &OptionPanel::mnuBatClick : &OptionPanel::mnuHighPriorityClick;
    connect(mark, &QAction::triggered, this,
            [this, action, mark] { RunChangeAction([=, this] { (this->*action)(mark); }); });
  }
}

void OptionPanel::ApplyEmulatorProfile() {
  // A narrower gamma range moves the slider; the value stored stays for the build that has it.
  const ShowingScope showing(showing_);
  panelBuild_ = launch::FindEmulatorProfile(context_.Settings()).build;
  const launch::PanelProfile& panel = Panel();

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
  sldGamma->setMaximum(panel.GammaMaximum());

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
    control->setToolTip(launch::kNotInThisBuild);
    missingControls_.push_back(control);
  }
}

bool OptionPanel::BuildHas(const QObject* control) const {
  for (const OptionBinding& binding : bindings_) {
    if (binding.control == control) return Panel().Has(*binding.option);
  }
  return true;
}

bool OptionPanel::IsSoundControl(const QWidget* control) const {
  const std::vector<QWidget*> sound = SoundControls();
  return std::find(sound.begin(), sound.end(), control) != sound.end();
}

std::vector<QWidget*> OptionPanel::SoundControls() const {
  return {chkStereo, chkBuffer, cmbSampleRate, chkBlaster, sldVolume, chkDisableSPCHack, chkDisableDSP};
}

void OptionPanel::RunChangeAction(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    guard_.Report(error.what());
  }
}

void OptionPanel::StoreBool(std::string_view section, std::string_view key, bool value) {
  if (showing_ == 0) context_.Settings().WriteBool(section, key, value);
}

void OptionPanel::StoreInteger(std::string_view section, std::string_view key, int value) {
  if (showing_ == 0) context_.Settings().WriteInteger(section, key, value);
}

void OptionPanel::StoreString(std::string_view section, std::string_view key, std::string_view value) {
  if (showing_ == 0) context_.Settings().WriteString(section, key, value);
}

void OptionPanel::LoadConfig(const std::string& section) {
  SettingsFile& settings = context_.Settings();
  emit ConfigurationShown(widgets::FromBytes(section));
  const ShowingScope showing(showing_);

  for (const OptionDecl* option : LoadOrder()) {
    QObject* control = nullptr;
    for (const OptionBinding& binding : bindings_) {
      if (binding.option == option) control = binding.control;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      SetEditBytes(edit, GetText(settings, *option));
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
      box->setChecked(Get(settings, *option, section) != 0);
    } else if (auto* slider = qobject_cast<QSlider*>(control)) {
      slider->setValue(Get(settings, *option, section));
    } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
      group->SetItemIndex(Get(settings, *option, section));
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      int index = Get(settings, *option, section);
      combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* mark = qobject_cast<QAction*>(control)) {
      mark->setChecked(Get(settings, *option, section) != 0);
      if (option == &option::ShellBat) EnableExtraCommand(mark->isChecked());
    }
  }
  // Also those of sliders the load did not move.
  ShowSliderLabels();
}

void OptionPanel::ShowSliderLabels() {
  lblCPU->setText(QString::number(sldCPU->value()) + "% CPU cycles");
  lblGamma->setText("Gamma correct: " + QString::number(sldGamma->value()));
  chkFrameSkip->setText("Frameskip: " + QString::number(sldFrameSkip->value()));
}

void OptionPanel::CheckBoxClick(const OptionDecl& option, QCheckBox* box) {
  StoreBool(option.Section(context_.currentSection), option.key, box->isChecked());
}

void OptionPanel::chkSoundClick() {
  bool on = chkSound->isChecked();
  StoreBool(option::Sound.section, option::Sound.key, on);
  for (QWidget* control : SoundControls()) control->setEnabled(on && BuildHas(control));
  imgVolume->setVisible(on);
}

void OptionPanel::sldCPUChange() {
  ShowSliderLabels();
  StoreInteger(context_.currentSection, option::CPUCycles.key, sldCPU->value());
}

void OptionPanel::sldGammaChange() {
  ShowSliderLabels();
  StoreInteger(context_.currentSection, option::Gamma.key, sldGamma->value());
}

void OptionPanel::sldFrameSkipChange() {
  ShowSliderLabels();
  StoreInteger(context_.currentSection, option::FrameSkipValue.key, sldFrameSkip->value());
}

void OptionPanel::sldVolumeChange() { StoreInteger(option::Volume.section, option::Volume.key, sldVolume->value()); }

void OptionPanel::optMemCopyClick() {
  StoreInteger(option::MemCopy.section, option::MemCopy.key, optMemCopy->ItemIndex());
}

void OptionPanel::optVideoModeClick() {
  StoreInteger(context_.currentSection, Panel().videoMode->key, optVideoMode->ItemIndex());
}

void OptionPanel::cmbSampleRateChange(int index) {
  StoreInteger(option::SampleRate.section, option::SampleRate.key, index);
}

void OptionPanel::txtExtraCmdChange() {
  StoreString(option::ExtraCommand.section, option::ExtraCommand.key, EditBytes(txtExtraCmd));
}

void OptionPanel::SwitchConfiguration(const browser::ListEntry& entry) {
  std::string target = browser::ConfigurationFor(entry);
  // Letter case counts here: "zelda" and "Zelda" load the same section, but a change of spelling
  // still reloads.
  if (target == context_.currentSection) return;
  context_.currentSection = target;
  LoadConfig(context_.currentSection);
}

void OptionPanel::mnuHighPriorityClick(const QAction* mark) {
  StoreBool(option::HighPriority.section, option::HighPriority.key, mark->isChecked());
}

void OptionPanel::mnuBatClick(const QAction* mark) {
  EnableExtraCommand(mark->isChecked());
  StoreBool(option::ShellBat.section, option::ShellBat.key, mark->isChecked());
}

void OptionPanel::EnableExtraCommand(bool on) {
  txtExtraCmd->setEnabled(on);
  lblExtraCmd->setEnabled(on);
}

std::string OptionPanel::ExtraCommand() const { return EditBytes(txtExtraCmd); }

bool OptionPanel::ExtraCommandEnabled() const { return txtExtraCmd->isEnabled(); }

QWidget* OptionPanel::SetupPage() const { return setupPage_; }

void OptionPanel::BrowseInto(const QString& title, QLineEdit* edit, const OptionDecl& option) {
  if (std::optional<std::string> folder = guard_.Ask().BrowseForFolder(window(), title)) SetEditBytes(edit, *folder);
  // Also after a cancel: the edit's bytes are stored again, as they were read.
  context_.Settings().WriteString(option, EditBytes(edit));
}

void OptionPanel::cmdBrowseZSNESClick() {
  BrowseInto("Location of zsnes or ZSNES.EXE", txtDirZSNES, option::ZSNESPath);
  // Another folder may hold another build of the emulator, with other options.
  ApplyEmulatorProfile();
  LoadConfig(context_.currentSection);
}

void OptionPanel::cmdBrowseMediaClick() { BrowseInto("Location for Media files", txtDirMedia, option::MediaPath); }

void OptionPanel::cmdBrowseSavegameClick() {
  BrowseInto("Location for Savegames", txtDirSavegame, option::SavegamePath);
}

bool OptionPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cmbSampleRate->lineEdit() && event->type() == QEvent::KeyPress) {
    int code = static_cast<QKeyEvent*>(event)->key();
    // The box would choose the item the typed text names; typing stores no item.
    if (code == Qt::Key_Return || code == Qt::Key_Enter) return true;
  }
  return QTabWidget::eventFilter(watched, event);
}

}  // namespace kivo::app
