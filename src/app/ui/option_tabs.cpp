// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The four pages of the option tabs, each control at its designed place and with its design value.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>

#include "app/ui/option_panel.h"
#include "app/ui/radio_group.h"
#include "widgets/handler_guard.h"

namespace kivo::app {

namespace {

QCheckBox* Check(QWidget* parent, const char* name, const QString& caption, int left, int top, int width = 105) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setGeometry(left, top, width, 17);
  return box;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width = 120) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setGeometry(left, top, width, 15);
  return label;
}

// A slider for the option: its name, range and first position are the declaration's.
QSlider* Slider(QWidget* parent, const OptionDecl& option, Qt::Orientation orientation, const QRect& place) {
  auto* slider = new QSlider(orientation, parent);
  slider->setObjectName(QString::fromLatin1(option.control.data(), static_cast<qsizetype>(option.control.size())));
  slider->setRange(option.minimum, option.maximum);
  slider->setValue(option.defaultValue);
  slider->setGeometry(place);
  return slider;
}

QLineEdit* Edit(QWidget* parent, const char* name, int left, int top, int width, bool readOnly) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setGeometry(left, top, width, 21);
  edit->setReadOnly(readOnly);
  return edit;
}

QPushButton* Browse(QWidget* parent, const char* name, int top) {
  auto* button = new QPushButton("..", parent);
  button->setObjectName(name);
  button->setGeometry(224, top, 22, 22);
  return button;
}

}  // namespace

void OptionPanel::BuildOptionsTab(QWidget* page) {
  optMemCopy = new RadioGroup("Mem Copy", {"Normal", "FPU", "MMX"}, page);
  optMemCopy->setObjectName("optMemCopy");
  optMemCopy->setGeometry(0, 8, 113, 89);
  optMemCopy->SetItemIndex(1);

  GroupBox2 = new QGroupBox("ZSNES GUI", page);
  GroupBox2->setObjectName("GroupBox2");
  GroupBox2->setGeometry(0, 104, 113, 113);
  // Check boxes that only store their state are found by name when the options are bound.
  Check(GroupBox2, "chkEnter", "Skip enter", 8, 16, 100)->setChecked(true);
  Check(GroupBox2, "chkDebugger", "Debugger", 8, 40, 100);
  Check(GroupBox2, "chkDisableMouse", "Disable mouse", 8, 64, 100);
  Check(GroupBox2, "chkGUI", "Disable GUI", 8, 88, 100);

  Check(page, "chkNTSC", "NTSC", 128, 16);
  Check(page, "chkPAL", "Pal", 128, 40);
  Check(page, "chkLoROM", "LoROM", 128, 64);
  Check(page, "chkHiROM", "HiROM", 128, 88);
  Check(page, "chkInterleaved", "Interleaved", 128, 112);
  lblCPU = Label(page, "lblCPU", " CPU cycles", 128, 136);
  sldCPU = Slider(page, option::CPUCycles, Qt::Horizontal, QRect(128, 152, 121, 25));
  sldCPU->setPageStep(1);
  sldCPU->setTickPosition(QSlider::NoTicks);
  sldCPU->setToolTip("CPU Cycles");
}

void OptionPanel::BuildSoundTab(QWidget* page) {
  chkSound = Check(page, "chkSound", "Enable", 8, 8);
  chkStereo = Check(page, "chkStereo", "Stereo", 8, 32);
  chkBuffer = Check(page, "chkBuffer", "Buffer", 8, 56);
  chkDisableSPCHack = Check(page, "chkDisableSPCHack", "Disable SPC hack", 8, 80, 115);
  chkBlaster = Check(page, "chkBlaster", "Force 8 bit", 8, 104);
  chkDisableDSP = Check(page, "chkDisableDSP", "Disable DSP", 8, 128);
  Label(page, "Label1", "Samplerate:", 128, 8, 100);

  cmbSampleRate = new QComboBox(page);
  cmbSampleRate->setObjectName("cmbSampleRate");
  cmbSampleRate->setEditable(true);
  cmbSampleRate->setInsertPolicy(QComboBox::NoInsert);
  // Typed text is the user's own rate, never an item: no completion may turn it into one (an Enter
  // in the field is kept from choosing one too, see eventFilter).
  cmbSampleRate->setCompleter(nullptr);
  cmbSampleRate->lineEdit()->installEventFilter(this);
  cmbSampleRate->addItems({"8000Hz", "11025Hz", "22050Hz", "44100Hz", "16000Hz", "32000Hz"});
  cmbSampleRate->setCurrentIndex(-1);
  cmbSampleRate->setGeometry(128, 32, 105, 21);

  imgVolume = new QLabel(page);
  imgVolume->setObjectName("imgVolume");
  imgVolume->setGeometry(128, 64, 32, 32);
  imgVolume->setPixmap(QPixmap(":/volume.png"));

  sldVolume = Slider(page, option::Volume, Qt::Vertical, QRect(176, 72, 18, 89));
  // The minimum at the top, as on a mixer's scale; the keys and the wheel then move the handle the
  // way they point, as on any slider.
  sldVolume->setInvertedAppearance(true);
  sldVolume->setInvertedControls(true);
  sldVolume->setTickPosition(QSlider::TicksBothSides);
  sldVolume->setTickInterval(10);
}

void OptionPanel::BuildSetupTab(QWidget* page) {
  setupPage_ = page;
  Label(page, "ZSNES", "ZSNES", 0, 8);
  txtDirZSNES = Edit(page, "txtDirZSNES", 0, 24, 217, true);
  QPushButton* browseZsnes = Browse(page, "cmdBrowseZSNES", 24);
  Label(page, "Label5", "Screenshots", 0, 56);
  txtDirMedia = Edit(page, "txtDirMedia", 0, 72, 217, true);
  QPushButton* browseMedia = Browse(page, "cmdBrowseMedia", 72);
  Label(page, "Label6", "Savegame", 0, 104);
  txtDirSavegame = Edit(page, "txtDirSavegame", 0, 120, 217, true);
  QPushButton* browseSavegame = Browse(page, "cmdBrowseSavegame", 120);

  lblExtraCmd = Label(page, "lblExtraCmd", "DOS-Command for drivers etc.", 0, 152, 200);
  txtExtraCmd = Edit(page, "txtExtraCmd", 0, 168, 249, false);
  // The design text is the control's name, as a form designer leaves it: the first load always
  // replaces it, with an empty text when the file has no "ExtraCommand".
  txtExtraCmd->setText("txtExtraCmd");
  txtExtraCmd->setEnabled(false);
  // The zip cache's row (Keep N ROMs in Cache, Apply) is placed below by the window.

  connect(browseZsnes, &QPushButton::clicked, this, guard_.Wrap([this] { cmdBrowseZSNESClick(); }));
  connect(browseMedia, &QPushButton::clicked, this, guard_.Wrap([this] { cmdBrowseMediaClick(); }));
  connect(browseSavegame, &QPushButton::clicked, this, guard_.Wrap([this] { cmdBrowseSavegameClick(); }));
}

void OptionPanel::BuildVideoTab(QWidget* page) {
  Check(page, "chkScanlines", "Scanlines", 8, 8, 95);
  Check(page, "chkVSync", "Vertical sync", 8, 24, 95);
  Check(page, "chkInterpolation", "Interpolation", 8, 40, 95);
  Check(page, "chkNewEngine", "New engine", 8, 56, 95);
  Check(page, "chkSmallScreen", "Small screen", 8, 72, 95);
  Check(page, "chkScale", "Scale image", 8, 88, 95);
  Check(page, "chkColor0", "Color zero stay", 8, 104, 95);
  Check(page, "chkOffBy1LineFix", "Off by 1 line fix", 8, 120, 95);
  chkFrameSkip = Check(page, "chkFrameSkip", "Frameskip", 8, 136, 95);
  sldFrameSkip = Slider(page, option::FrameSkipValue, Qt::Horizontal, QRect(8, 160, 89, 18));
  lblGamma = Label(page, "lblGamma", " Gamma correct: ", 8, 184, 95);
  // Its maximum is the build's (ApplyEmulatorProfile).
  sldGamma = Slider(page, option::Gamma, Qt::Horizontal, QRect(8, 200, 89, 18));
  sldGamma->setToolTip("Gamma Correction");

  optVideoMode = new RadioGroup("Videomode",
                                {"320x240x256", "256x256x256", "320x240x256 Vesa2", "320x240x65K Vesa2",
                                 "640x480x256 Vesa2", "640x480x65K Vesa2", "512x384x256 Vesa2", "512x384x65K Vesa2"},
                                page);
  optVideoMode->setObjectName("optVideoMode");
  optVideoMode->setGeometry(104, 8, 137, 167);
}

}  // namespace kivo::app
