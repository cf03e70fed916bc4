// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The four pages of the option tabs, laid out by Qt's layouts in the designed groups and order:
// each bound control is made in one line, named as the window's design names it.
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/option_panel.h"
#include "widgets/handler_guard.h"

namespace kivo::app {

namespace {

// The design's spacing: the controls of a column close together, as on the original panel.
constexpr int kRowSpacing = 2;
constexpr int kColumnSpacing = 12;

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QVBoxLayout* Column(QBoxLayout* row) {
  auto* column = new QVBoxLayout;
  column->setSpacing(kRowSpacing);
  row->addLayout(column);
  return column;
}

QHBoxLayout* Columns(QWidget* page) {
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(6, 6, 6, 6);
  row->setSpacing(kColumnSpacing);
  return row;
}

QLabel* Label(const char* name, const QString& caption) { return Named(new QLabel(caption), name); }

// A check box of a column: its option, design name and caption.
struct CheckBoxSpec {
  const OptionDecl& option;
  const char* name;
  const char* caption;
};

}  // namespace

QWidget* OptionPanel::BuildOptionsTab() {
  auto* page = new QWidget;
  QHBoxLayout* columns = Columns(page);
  QVBoxLayout* left = Column(columns);
  auto* memCopy =
      Named(new OptionRadioGroup(bindings_, option::MemCopy, "Mem Copy", {"Normal", "FPU", "MMX"}, page), "optMemCopy");
  left->addWidget(memCopy);
  auto* gui = Named(new QGroupBox("ZSNES GUI"), "GroupBox2");
  auto* guiColumn = new QVBoxLayout(gui);
  guiColumn->setSpacing(kRowSpacing);
  auto* skipEnter = Named(new OptionCheckBox(bindings_, option::Enter, "Skip enter", gui), "chkEnter");
  guiColumn->addWidget(skipEnter);
  guiColumn->addWidget(Named(new OptionCheckBox(bindings_, option::Debugger, "Debugger", gui), "chkDebugger"));
  guiColumn->addWidget(
      Named(new OptionCheckBox(bindings_, option::DisableMouse, "Disable mouse", gui), "chkDisableMouse"));
  guiColumn->addWidget(Named(new OptionCheckBox(bindings_, option::DisableGUI, "Disable GUI", gui), "chkGUI"));
  left->addWidget(gui);
  left->addStretch();
  // The design's own values, replaced by the first load.
  bindings_.Showing([=] {
    memCopy->SetItemIndex(1);
    skipEnter->setChecked(true);
  });

  QVBoxLayout* right = Column(columns);
  right->addSpacing(8);
  right->addWidget(Named(new OptionCheckBox(bindings_, option::NTSC, "NTSC", page), "chkNTSC"));
  right->addWidget(Named(new OptionCheckBox(bindings_, option::PAL, "Pal", page), "chkPAL"));
  right->addWidget(Named(new OptionCheckBox(bindings_, option::LoROM, "LoROM", page), "chkLoROM"));
  right->addWidget(Named(new OptionCheckBox(bindings_, option::HiROM, "HiROM", page), "chkHiROM"));
  right->addWidget(Named(new OptionCheckBox(bindings_, option::Interleaved, "Interleaved", page), "chkInterleaved"));
  right->addWidget(lblCPU = Label("lblCPU", " CPU cycles"));
  right->addWidget(sldCPU = Named(new OptionSlider(bindings_, option::CPUCycles, Qt::Horizontal, page), "sldCPU"));
  sldCPU->setPageStep(1);
  sldCPU->setToolTip("CPU Cycles");
  right->addStretch();
  return page;
}

QWidget* OptionPanel::BuildSoundTab() {
  auto* page = new QWidget;
  QHBoxLayout* columns = Columns(page);
  QVBoxLayout* left = Column(columns);
  left->addWidget(chkSound = Named(new OptionCheckBox(bindings_, option::Sound, "Enable", page), "chkSound"));
  const CheckBoxSpec boxes[] = {{option::Stereo, "chkStereo", "Stereo"},
                                {option::Buffer, "chkBuffer", "Buffer"},
                                {option::DisableSPCHack, "chkDisableSPCHack", "Disable SPC hack"},
                                {option::Force8bit, "chkBlaster", "Force 8 bit"},
                                {option::DisableDSP, "chkDisableDSP", "Disable DSP"}};
  for (const auto& box : boxes) {
    soundControls_.push_back(Named(new OptionCheckBox(bindings_, box.option, box.caption, page), box.name));
    left->addWidget(soundControls_.back());
  }
  left->addStretch();

  QVBoxLayout* right = Column(columns);
  right->addWidget(Label("Label1", "Samplerate:"));
  cmbSampleRate = Named(new OptionComboBox(bindings_, option::SampleRate,
                                           {"8000Hz", "11025Hz", "22050Hz", "44100Hz", "16000Hz", "32000Hz"}, page),
                        "cmbSampleRate");
  right->addWidget(cmbSampleRate);
  auto* volumeRow = new QHBoxLayout;
  volumeRow->setSpacing(kColumnSpacing);
  imgVolume = Label("imgVolume", {});
  imgVolume->setPixmap(QPixmap(":/volume.png"));
  volumeRow->addWidget(imgVolume, 0, Qt::AlignTop);
  auto* volume = Named(new OptionSlider(bindings_, option::Volume, Qt::Vertical, page), "sldVolume");
  // The minimum at the top, as on a mixer's scale; the keys and the wheel then move the handle the
  // way they point, as on any slider.
  volume->setInvertedAppearance(true);
  volume->setInvertedControls(true);
  volume->setTickPosition(QSlider::TicksBothSides);
  volume->setTickInterval(10);
  volume->setMinimumHeight(89);
  volumeRow->addWidget(volume);
  volumeRow->addStretch();
  right->addLayout(volumeRow);
  right->addStretch();
  soundControls_.push_back(cmbSampleRate);
  soundControls_.push_back(volume);
  return page;
}

OptionEdit* OptionPanel::FolderRow(QBoxLayout* column, const FolderField& field) {
  column->addWidget(Label(field.label, field.caption));
  auto* row = new QHBoxLayout;
  row->setSpacing(kRowSpacing);
  // Typed or pasted, or chosen with the ".." picker; checked when the user leaves the field.
  auto* edit = Named(new OptionEdit(bindings_, field.option, OptionEdit::Stores::WhenTold, nullptr), field.edit);
  connect(edit, &QLineEdit::editingFinished, this, guard_.Wrap([this, edit] { FolderEdited(edit); }));
  row->addWidget(edit, 1);
  // A small button of the font's own size, as the design's ".." beside the field.
  auto* pick = Named(new QToolButton, field.button);
  pick->setText("..");
  pick->setToolTip(field.buttonTip);
  connect(pick, &QToolButton::clicked, this, guard_.Wrap([this, browse = field.browse] { (this->*browse)(); }));
  row->addWidget(pick);
  column->addLayout(row);
  return edit;
}

QWidget* OptionPanel::BuildSetupTab() {
  auto* page = setupPage_ = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(6, 6, 6, 6);
  column->setSpacing(kRowSpacing);
  txtDirZSNES = FolderRow(column, {option::ZSNESPath, "ZSNES", "ZSNES", "txtDirZSNES", "cmdBrowseZSNES",
                                   "Choose the folder of zsnes or ZSNES.EXE", &OptionPanel::cmdBrowseZSNESClick});
  txtDirMedia = FolderRow(column, {option::MediaPath, "Label5", "Screenshots", "txtDirMedia", "cmdBrowseMedia",
                                   "Choose the folder of the games' screenshots", &OptionPanel::cmdBrowseMediaClick});
  txtDirSavegame =
      FolderRow(column, {option::SavegamePath, "Label6", "Savegame", "txtDirSavegame", "cmdBrowseSavegame",
                         "Choose the folder for saved games and snapshots", &OptionPanel::cmdBrowseSavegameClick});
  column->addSpacing(6);
  column->addWidget(lblExtraCmd = Label("lblExtraCmd", "DOS-Command for drivers etc."));
  column->addWidget(
      txtExtraCmd =
          Named(new OptionEdit(bindings_, option::ExtraCommand, OptionEdit::Stores::EachChange, page), "txtExtraCmd"));
  // The design text is the control's name, as a form designer leaves it: the first load always
  // replaces it, with an empty text when the file has no "ExtraCommand".
  bindings_.Showing([this] { txtExtraCmd->setText("txtExtraCmd"); });
  txtExtraCmd->setEnabled(false);
  // The zip cache's row (Keep N ROMs in Cache, Apply) goes here, from the window (AddSetupRow).
  column->addStretch();
  return page;
}

void OptionPanel::AddSetupRow(QWidget* row) {
  auto* column = static_cast<QVBoxLayout*>(setupPage_->layout());
  column->insertWidget(column->count() - 1, row);  // above the closing stretch
}

QWidget* OptionPanel::BuildVideoTab() {
  auto* page = new QWidget;
  QHBoxLayout* columns = Columns(page);
  QVBoxLayout* left = Column(columns);
  const CheckBoxSpec boxes[] = {{option::Scanlines, "chkScanlines", "Scanlines"},
                                {option::VSync, "chkVSync", "Vertical sync"},
                                {option::Interpolation, "chkInterpolation", "Interpolation"},
                                {option::NewEngine, "chkNewEngine", "New engine"},
                                {option::SmallScreen, "chkSmallScreen", "Small screen"},
                                {option::Scale, "chkScale", "Scale image"},
                                {option::Color0, "chkColor0", "Color zero stay"},
                                {option::OffBy1LineFix, "chkOffBy1LineFix", "Off by 1 line fix"}};
  for (const auto& box : boxes)
    left->addWidget(Named(new OptionCheckBox(bindings_, box.option, box.caption, page), box.name));
  left->addWidget(chkFrameSkip =
                      Named(new OptionCheckBox(bindings_, option::FrameSkip, "Frameskip", page), "chkFrameSkip"));
  left->addWidget(sldFrameSkip =
                      Named(new OptionSlider(bindings_, option::FrameSkipValue, Qt::Horizontal, page), "sldFrameSkip"));
  left->addWidget(lblGamma = Label("lblGamma", " Gamma correct: "));
  // Its maximum is the build's (ApplyEmulatorProfile).
  left->addWidget(sldGamma = Named(new OptionSlider(bindings_, option::Gamma, Qt::Horizontal, page), "sldGamma"));
  sldGamma->setToolTip("Gamma Correction");
  left->addStretch();

  QVBoxLayout* right = Column(columns);
  optVideoMode =
      Named(new OptionRadioGroup(bindings_, option::Videomode, "Videomode",
                                 {"320x240x256", "256x256x256", "320x240x256 Vesa2", "320x240x65K Vesa2",
                                  "640x480x256 Vesa2", "640x480x65K Vesa2", "512x384x256 Vesa2", "512x384x65K Vesa2"},
                                 page),
            "optVideoMode");
  right->addWidget(optVideoMode);
  right->addStretch();
  return page;
}

}  // namespace kivo::app
