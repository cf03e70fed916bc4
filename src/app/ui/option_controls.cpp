// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/ui/option_controls.h"

#include <QAction>
#include <QKeyEvent>
#include <algorithm>

#include "app/app_context.h"
#include "app/ui/byte_edit.h"
#include "widgets/handler_guard.h"

namespace kivo::app {

OptionBindings::Control::Control(OptionBindings& bindings, const OptionDecl& option, QObject* object)
    : bindings_(bindings), option_(&option), object_(object) {
  bindings_.Add(this);
}

void OptionBindings::Add(Control* control) {
  // Kept in the options' load order, whatever order the tabs make them in.
  auto position = [](const Control* c) {
    const std::span<const OptionDecl* const> order = LoadOrder();
    return std::find(order.begin(), order.end(), &c->Option()) - order.begin();
  };
  controls_.insert(std::upper_bound(controls_.begin(), controls_.end(), control,
                                    [&](const Control* a, const Control* b) { return position(a) < position(b); }),
                   control);
}

OptionBindings::OptionBindings(AppContext& context, widgets::HandlerGuard& guard) : context_(context), guard_(guard) {}

void OptionBindings::LoadAll(const std::string& section) {
  Showing([&] {
    for (const OptionDecl* option : LoadOrder()) {
      for (Control* control : controls_) {
        if (&control->Option() == option) control->Load(section);
      }
    }
  });
}

void OptionBindings::Showing(const std::function<void()>& show) {
  ++showing_;
  try {
    show();
  } catch (...) {
    --showing_;
    throw;
  }
  --showing_;
}

void OptionBindings::StoreBy(const std::function<void()>& write) {
  if (showing_ > 0) return;
  try {
    write();
  } catch (const std::exception& error) {
    guard_.Report(error.what());
  }
}

void OptionBindings::Store(const OptionDecl& option, int value) {
  StoreBy([&] {
    const std::string_view section = option.Section(context_.currentSection);
    if (option.form == OptionForm::Bool) {
      context_.Settings().WriteBool(section, option.key, value != 0);
    } else {
      context_.Settings().WriteInteger(section, option.key, value);
    }
  });
}

void OptionBindings::StoreText(const OptionDecl& option, const std::string& text) {
  StoreBy([&] { context_.Settings().WriteString(option.Section(context_.currentSection), option.key, text); });
}

OptionBindings::Control* OptionBindings::Find(const QObject* object) const {
  const auto found =
      std::find_if(controls_.begin(), controls_.end(), [object](Control* c) { return c->Object() == object; });
  return found == controls_.end() ? nullptr : *found;
}

OptionCheckBox::OptionCheckBox(OptionBindings& bindings, const OptionDecl& option, const QString& caption,
                               QWidget* parent)
    : QCheckBox(caption, parent), Control(bindings, option, this) {
  connect(this, &QCheckBox::toggled, this, [this](bool on) { bindings_.Store(Option(), on ? 1 : 0); });
}

void OptionCheckBox::Load(const std::string& section) {
  setChecked(Get(bindings_.Context().Settings(), Option(), section) != 0);
}

OptionSlider::OptionSlider(OptionBindings& bindings, const OptionDecl& option, Qt::Orientation orientation,
                           QWidget* parent)
    : QSlider(orientation, parent), Control(bindings, option, this) {
  setRange(option.minimum, option.maximum);
  setValue(option.defaultValue);
  connect(this, &QSlider::valueChanged, this, [this](int value) { bindings_.Store(Option(), value); });
}

void OptionSlider::Load(const std::string& section) {
  setValue(Get(bindings_.Context().Settings(), Option(), section));
}

OptionRadioGroup::OptionRadioGroup(OptionBindings& bindings, const OptionDecl& option, const QString& caption,
                                   const QStringList& items, QWidget* parent)
    : RadioGroup(caption, items, parent), Control(bindings, option, this) {
  connect(this, &RadioGroup::Changed, this, [this] { bindings_.Store(Option(), ItemIndex()); });
}

void OptionRadioGroup::Load(const std::string& section) {
  SetItemIndex(Get(bindings_.Context().Settings(), Option(), section));
}

OptionComboBox::OptionComboBox(OptionBindings& bindings, const OptionDecl& option, const QStringList& items,
                               QWidget* parent)
    : QComboBox(parent), Control(bindings, option, this) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  // Typed text is the user's own value, never an item: no completion may turn it into one.
  setCompleter(nullptr);
  lineEdit()->installEventFilter(this);
  addItems(items);
  setCurrentIndex(-1);
  connect(this, &QComboBox::activated, this, [this](int index) { bindings_.Store(Option(), index); });
  // After typing, the box has no chosen item.
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { bindings_.Store(Option(), -1); });
}

void OptionComboBox::Load(const std::string& section) {
  const int index = Get(bindings_.Context().Settings(), Option(), section);
  setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

bool OptionComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
    const int code = static_cast<QKeyEvent*>(event)->key();
    // The box would choose the item the typed text names; typing stores no item.
    if (code == Qt::Key_Return || code == Qt::Key_Enter) return true;
  }
  return QComboBox::eventFilter(watched, event);
}

OptionEdit::OptionEdit(OptionBindings& bindings, const OptionDecl& option, Stores stores, QWidget* parent)
    : QLineEdit(parent), Control(bindings, option, this) {
  if (stores == Stores::EachChange) connect(this, &QLineEdit::textChanged, this, [this] { Store(); });
}

void OptionEdit::Load(const std::string&) { SetEditBytes(this, GetText(bindings_.Context().Settings(), Option())); }

void OptionEdit::Store() { bindings_.StoreText(Option(), EditBytes(this)); }

OptionMark::OptionMark(OptionBindings& bindings, const OptionDecl& option, QAction* mark)
    : QObject(mark), Control(bindings, option, mark), mark_(mark) {
  connect(mark, &QAction::triggered, this, [this](bool on) { bindings_.Store(Option(), on ? 1 : 0); });
}

void OptionMark::Load(const std::string& section) {
  mark_->setChecked(Get(bindings_.Context().Settings(), Option(), section) != 0);
}

}  // namespace kivo::app
