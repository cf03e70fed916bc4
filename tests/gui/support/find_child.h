// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QtGlobal>

class QListView;
namespace kivo::browser {
class RomListModel;
}
namespace kivo::app {
class TMainForm;
}

// A control of the window found by its object name, as the window's design names it (the status
// bar's labels are "StatusPanels0" to "StatusPanels2"). The tests reach the window only this way:
// its controls are its own. A name or type the window does not have ends the test.
template <class T>
T* Child(QObject& root, const char* name) {
  T* child = dynamic_cast<T*>(root.findChild<QObject*>(name));
  if (child == nullptr) qFatal("the window has no %s named %s", typeid(T).name(), name);
  return child;
}

// The model behind the ROM list.
kivo::browser::RomListModel* ListModelOf(kivo::app::TMainForm& form);
