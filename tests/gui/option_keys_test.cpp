// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The option panel and the launch share one table of options: every per-game option a control
// stores reaches the emulator from the section the control wrote it to.
#include <QTest>
#include <set>

#include "browser/list_entry.h"
#include "common/text.h"
#include "gui/support/emulator_fixture.h"
#include "gui/support/find_child.h"
#include "gui/support/form_fixture.h"
#include "launch/native_options.h"
#include "launch/switches.h"
#include "launch/zsnes_cfg.h"

using namespace kivo::app;
using namespace kivo::browser;
using namespace kivo::common;
using namespace kivo::launch;

namespace {

// What the launch would hand the emulator for the section: its switches and its ZSNES.CFG lines.
std::string LaunchView(SettingsFile& settings, const std::string& section) {
  std::string view = BuildSwitches(settings, section);
  for (const CfgSetting& line : ZsnesCfgSettings(settings, section, "/games")) view += "|" + line.name + line.value;
  return view;
}

// What a launch would hand the native build for the section: its switches and its zsnesl.cfg keys.
std::string NativeView(SettingsFile& settings, const std::string& section) {
  std::string view = ShellQuoted(BuildNativeSwitches(settings, section));
  for (const NativeCfgSetting& line : NativeCfgSettings(settings, section, "/games"))
    view += "|" + line.key + line.value;
  return view;
}

// Moves a control to another value, as a user would.
void Change(QObject* control) {
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    int index = combo->currentIndex() == 0 ? 1 : 0;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
    box->click();
  } else if (auto* slider = qobject_cast<QSlider*>(control)) {
    // A middle value: the ends may equal what the launch assumes for a missing key.
    int middle = (slider->minimum() + slider->maximum()) / 2;
    slider->setValue(slider->value() == middle ? middle + 1 : middle);
  } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
    group->Button(group->ItemIndex() == 0 ? 1 : 0)->click();
  } else {
    QFAIL(qPrintable("no way to change " + control->objectName()));
  }
}

}  // namespace

class OptionKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void eachOptionHasOneControl() {
    FormFixture f;
    TMainForm& form = f.Start();
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (const auto& binding : form.Bindings()) {
      QVERIFY2(seen.insert({binding.option->key, binding.option->section}).second,
               qPrintable(QString::fromUtf8(binding.option->key.data(), binding.option->key.size())));
    }
    // The video-mode group stores under the key of the emulator build in use; the other build's key
    // is loaded but has no control.
    QCOMPARE(seen.size(), LoadOrder().size() - 1);
  }

  void perGameOptionsReachTheLaunchFromTheGamesSection() {
    FormFixture f;
    f.SetIni("[General]\nRun first=0\nROMDirectory=" + f.romDir.Path() + "\n[Configs]\nZelda=1\n");
    WriteTestFile(f.romDir / "Zelda.smc", "x");
    TMainForm& form = f.Start();
    QVERIFY(f.Click("Zelda", kRomFileWithConfig));
    QCOMPARE(f.context.currentSection, std::string("Zelda"));

    int checked = 0;
    for (const auto& binding : form.Bindings()) {
      if (!binding.option->PerConfiguration()) continue;
      const QString name = binding.control->objectName();
      SettingsFile settings(f.IniPath());
      std::string before = LaunchView(settings, "Zelda");
      std::string defaultBefore = LaunchView(settings, "Default");
      Change(binding.control);
      std::string after = LaunchView(settings, "Zelda");
      // "New engine" is kept for the user's own reference; the emulator has no switch for it.
      if (binding.option == &option::NewEngine) {
        QVERIFY2(after == before, qPrintable(name));
      } else {
        QVERIFY2(after != before, qPrintable(name + " does not reach the launch"));
        ++checked;
      }
      QVERIFY2(LaunchView(settings, "Default") == defaultBefore, qPrintable(name + " changed Default"));
    }
    QCOMPARE(checked, 18);
  }

  // With the native build in the folder, every option control the panel enables reaches its launch,
  // and an option it disables is never passed, whatever is stored for it.
  void everyEnabledOptionReachesTheNativeBuildAndNoOtherDoes() {
    EmulatorFixture f("", false);
    f.InstallEmulator("zsnes");
    TMainForm& form = f.Start();
    int reached = 0;
    for (const auto& binding : form.Bindings()) {
      auto* control = qobject_cast<QWidget*>(binding.control);
      // The folders and the DOS command have tests of their own.
      if (control == nullptr || qobject_cast<QLineEdit*>(control) != nullptr) continue;
      const QString name = control->objectName();
      SettingsFile settings(f.IniPath());
      std::string before = NativeView(settings, "Default");
      // The tooltip tells the user the build lacks the option.
      if (control->toolTip() != "Not available in this build of ZSNES") {
        // Turning sound off (its own turn) disables the sound controls.
        Child<QCheckBox>(form, "chkSound")->setChecked(true);
        QVERIFY2(control->isEnabled(), qPrintable(name));
        Change(control);
        QVERIFY2(NativeView(settings, "Default") != before, qPrintable(name + " does not reach the native build"));
        ++reached;
      } else {
        const std::string section(binding.option->Section("Default"));
        settings.WriteInteger(section, binding.option->key, settings.ReadInteger(section, binding.option->key, 0) + 1);
        QVERIFY2(NativeView(settings, "Default") == before, qPrintable(name + " reaches the native build"));
      }
    }
    QCOMPARE(reached, 20);
    QVERIFY(f.dialogs.Errors().empty());
  }
};

QTEST_MAIN(OptionKeysTest)
#include "option_keys_test.moc"
