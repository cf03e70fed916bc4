// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The option panel's own rules over its bound controls, and the Setup tab's folder pickers.
#include <QAction>
#include <QLabel>
#include <algorithm>

#include "app/app_context.h"
#include "app/ui/byte_edit.h"
#include "app/ui/option_panel.h"
#include "browser/configuration_switch.h"
#include "browser/list_entry.h"
#include "common/error.h"
#include "launch/emulator_folder.h"
#include "platform/files.h"
#include "widgets/dialogs.h"
#include "widgets/handler_guard.h"

namespace kivo::app {

OptionPanel::OptionPanel(AppContext& context, widgets::HandlerGuard& guard, QWidget* parent)
    : QTabWidget(parent), context_(context), guard_(guard), bindings_(context, guard) {
  setObjectName("PageControl1");
  const struct {
    const char* caption;
    QWidget* (OptionPanel::*build)();
  } pages[] = {{"Options", &OptionPanel::BuildOptionsTab},
               {"Sound", &OptionPanel::BuildSoundTab},
               {"Setup", &OptionPanel::BuildSetupTab},
               {"Video", &OptionPanel::BuildVideoTab}};
  for (const auto& page : pages) {
    QWidget* widget = (this->*page.build)();
    widget->setObjectName(page.caption);
    addTab(widget, page.caption);
  }
  setCurrentIndex(2);
  // The rules beyond storing one value; the controls have stored theirs by then.
  connect(chkSound, &QCheckBox::toggled, this, [this] { chkSoundClick(); });
  for (OptionSlider* slider : {sldCPU, sldGamma, sldFrameSkip}) {
    connect(slider, &QSlider::valueChanged, this, [this] { ShowSliderLabels(); });
  }
}

void OptionPanel::BindMarks(QAction* shellBat, QAction* highPriority) {
  new OptionMark(bindings_, option::ShellBat, shellBat);
  new OptionMark(bindings_, option::HighPriority, highPriority);
  // Set by a load or by the user: the DOS command is in use only through the batch file.
  connect(shellBat, &QAction::toggled, this, [this](bool on) { EnableExtraCommand(on); });
}

void OptionPanel::ApplyEmulatorProfile() {
  // A narrower gamma range moves the slider; the value stored stays for the build that has it.
  bindings_.Showing([this] {
    panelBuild_ = launch::FindEmulatorProfile(context_.Settings()).build;
    const launch::PanelProfile& panel = Panel();

    QStringList modes;
    for (const char* mode : panel.videoModes) modes << mode;
    optVideoMode->SetItems(modes);
    optVideoMode->SetOption(*panel.videoMode);
    // The builds share their first six rates in the same order; only the extra ones come and go, so
    // a chosen rate stays chosen.
    const int rates = static_cast<int>(panel.sampleRates.size());
    while (cmbSampleRate->count() > rates) cmbSampleRate->removeItem(cmbSampleRate->count() - 1);
    while (cmbSampleRate->count() < rates) cmbSampleRate->addItem(panel.sampleRates[cmbSampleRate->count()]);
    sldGamma->setMaximum(panel.GammaMaximum());
  });

  // A control that comes back takes the state the sound box gives it.
  for (QWidget* control : missingControls_) {
    control->setToolTip({});
    const bool sound = std::find(soundControls_.begin(), soundControls_.end(), control) != soundControls_.end();
    control->setEnabled(!sound || chkSound->isChecked());
  }
  missingControls_.clear();
  for (const OptionBindings::Control* bound : bindings_.Controls()) {
    auto* control = qobject_cast<QWidget*>(bound->Object());
    if (control == nullptr || Panel().Has(bound->Option())) continue;
    control->setEnabled(false);
    control->setToolTip(launch::kNotInThisBuild);
    missingControls_.push_back(control);
  }
}

bool OptionPanel::BuildHas(const QWidget* control) const {
  const OptionBindings::Control* bound = bindings_.Find(control);
  return bound == nullptr || Panel().Has(bound->Option());
}

void OptionPanel::LoadConfig(const std::string& section) {
  emit ConfigurationShown(widgets::FromBytes(section));
  bindings_.LoadAll(section);
  // Also those of sliders the load did not move.
  ShowSliderLabels();
}

void OptionPanel::ShowSliderLabels() {
  lblCPU->setText(QString::number(sldCPU->value()) + "% CPU cycles");
  lblGamma->setText("Gamma correct: " + QString::number(sldGamma->value()));
  chkFrameSkip->setText("Frameskip: " + QString::number(sldFrameSkip->value()));
}

void OptionPanel::chkSoundClick() {
  const bool on = chkSound->isChecked();
  for (QWidget* control : soundControls_) control->setEnabled(on && BuildHas(control));
  imgVolume->setVisible(on);
}

void OptionPanel::SwitchConfiguration(const browser::ListEntry& entry) {
  std::string target = browser::ConfigurationFor(entry);
  // Letter case counts here: "zelda" and "Zelda" load the same section, but a change of spelling
  // still reloads.
  if (target == context_.currentSection) return;
  context_.currentSection = target;
  LoadConfig(context_.currentSection);
}

void OptionPanel::EnableExtraCommand(bool on) {
  txtExtraCmd->setEnabled(on);
  lblExtraCmd->setEnabled(on);
}

std::string OptionPanel::ExtraCommand() const { return EditBytes(txtExtraCmd); }

bool OptionPanel::ExtraCommandEnabled() const { return txtExtraCmd->isEnabled(); }

void OptionPanel::BrowseInto(const QString& title, OptionEdit* edit) {
  // A folder typed and not yet checked (the ".." takes no focus from the field) is checked first:
  // a cancelled picker must not store it unchecked.
  FolderEdited(edit);
  if (std::optional<std::string> folder = guard_.Ask().BrowseForFolder(window(), title)) SetEditBytes(edit, *folder);
  // Also after a cancel: the edit's bytes are stored again, as they were read.
  context_.Settings().WriteString(edit->Option(), EditBytes(edit));
}

void OptionPanel::cmdBrowseZSNESClick() {
  BrowseInto("Location of zsnes or ZSNES.EXE", txtDirZSNES);
  // Another folder may hold another build of the emulator, with other options.
  ApplyEmulatorProfile();
  LoadConfig(context_.currentSection);
}

void OptionPanel::FolderEdited(OptionEdit* edit) {
  // Only what the user typed or pasted is checked: a folder the picker chose, or one read from the
  // file, is stored as it is (even where the file has changed since).
  if (!edit->isModified()) return;
  edit->setModified(false);
  const std::string folder = EditBytes(edit);
  if (folder == GetText(context_.Settings(), edit->Option())) return;
  // An empty field keeps its meaning (no folder of KIVO's own; for ZSNES, the one on PATH).
  if (!folder.empty() && !platform::DirectoryExists(folder)) {
    edit->Load(context_.currentSection);
    throw common::KivoError("The folder " + folder + " does not exist");
  }
  context_.Settings().WriteString(edit->Option(), folder);
  if (edit != txtDirZSNES) return;
  ApplyEmulatorProfile();
  LoadConfig(context_.currentSection);
  if (folder.empty()) return;
  // Reported, not raised: the folder is stored (the emulator may be installed there next), and a
  // picker opened after it still opens.
  if (std::string missing = launch::MissingEmulatorReason(folder); !missing.empty()) guard_.Report(missing);
}

void OptionPanel::cmdBrowseMediaClick() { BrowseInto("Location for Media files", txtDirMedia); }

void OptionPanel::cmdBrowseSavegameClick() { BrowseInto("Location for Savegames", txtDirSavegame); }

}  // namespace kivo::app
