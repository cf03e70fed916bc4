// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <functional>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/ui/radio_group.h"

class QAction;

namespace kivo::widgets {
class HandlerGuard;
}

namespace kivo::app {

struct AppContext;

// Controls bound to an option in one line, each loading itself when the panel shows a
// configuration and storing the user's change at once:
//   new OptionCheckBox(bindings, option::NTSC, "NTSC", page);
// A control starts as the window's design draws it (unchecked, no item chosen; a slider at the
// option's default) until the first load. Showing what is stored never stores: while the bindings load, a control that
// moves (or clamps a value it cannot show) writes nothing, so a value beyond a control's range stays in the file as it
// was. Each control stores on the signal that means "the user changed it": a check box on
// `toggled`, a slider on `valueChanged` (after clamping, only when the position moved), a radio
// group on a move to another item, the DOS command on `textChanged`, the sample-rate box only on
// the user's choice (`activated`) or typing (`textEdited`, as no item), a menu mark on `triggered`.
class OptionBindings {
 public:
  // One bound control: the option it shows and stores, and its Qt object.
  class Control {
   public:
    Control(OptionBindings& bindings, const OptionDecl& option, QObject* object);
    virtual ~Control() = default;
    // The bindings may be gone by then (the panel's children outlive its members): nothing here
    // reaches them.
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const OptionDecl& Option() const { return *option_; }
    QObject* Object() const { return object_; }
    // The video-mode group stores the option of the build in use.
    void SetOption(const OptionDecl& option) { option_ = &option; }
    // Shows what is stored for the option in `section` (the configuration shown).
    virtual void Load(const std::string& section) = 0;

   protected:
    OptionBindings& bindings_;

   private:
    const OptionDecl* option_;
    QObject* object_;
  };

  OptionBindings(AppContext& context, widgets::HandlerGuard& guard);

  // Every control shows what `section` holds, in the options' load order; nothing is stored.
  void LoadAll(const std::string& section);
  // Runs `show` as a load: the controls it moves store nothing.
  void Showing(const std::function<void()>& show);
  // The user's change, stored in the option's section of the configuration in force; a refused
  // write is reported, and crosses no Qt code.
  void Store(const OptionDecl& option, int value);
  void StoreText(const OptionDecl& option, const std::string& text);

  AppContext& Context() const { return context_; }
  // In the options' load order.
  const std::vector<Control*>& Controls() const { return controls_; }
  Control* Find(const QObject* object) const;

 private:
  friend class Control;
  void Add(Control* control);
  void StoreBy(const std::function<void()>& write);

  AppContext& context_;
  widgets::HandlerGuard& guard_;
  std::vector<Control*> controls_;
  int showing_ = 0;  // above 0 while a load sets the controls
};

class OptionCheckBox : public QCheckBox, public OptionBindings::Control {
 public:
  OptionCheckBox(OptionBindings& bindings, const OptionDecl& option, const QString& caption, QWidget* parent);
  void Load(const std::string& section) override;
};

// Its range and first position are the option's.
class OptionSlider : public QSlider, public OptionBindings::Control {
 public:
  OptionSlider(OptionBindings& bindings, const OptionDecl& option, Qt::Orientation orientation, QWidget* parent);
  void Load(const std::string& section) override;
};

class OptionRadioGroup : public RadioGroup, public OptionBindings::Control {
 public:
  OptionRadioGroup(OptionBindings& bindings, const OptionDecl& option, const QString& caption, const QStringList& items,
                   QWidget* parent);
  void Load(const std::string& section) override;
};

// An editable list of choices whose typed text is the user's own value, never an item: typing
// stores -1, and Enter in the field chooses nothing.
class OptionComboBox : public QComboBox, public OptionBindings::Control {
 public:
  OptionComboBox(OptionBindings& bindings, const OptionDecl& option, const QStringList& items, QWidget* parent);
  void Load(const std::string& section) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// A text option's field, its bytes kept as they are. The DOS command stores each change; a folder
// field stores when told, once the panel has checked the folder the user typed or picked.
class OptionEdit : public QLineEdit, public OptionBindings::Control {
 public:
  enum class Stores { EachChange, WhenTold };
  OptionEdit(OptionBindings& bindings, const OptionDecl& option, Stores stores, QWidget* parent);
  void Load(const std::string& section) override;
  void Store();
};

// A checkable menu item (the object is the item); the menu has inverted the mark when it is
// triggered. Lives as long as the item.
class OptionMark : public QObject, public OptionBindings::Control {
 public:
  OptionMark(OptionBindings& bindings, const OptionDecl& option, QAction* mark);
  void Load(const std::string& section) override;

 private:
  QAction* mark_;
};

}  // namespace kivo::app
