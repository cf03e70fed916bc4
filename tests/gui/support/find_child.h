// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

// A control of the window found by its object name, as the window's design names it; a name or
// type the window does not have ends the test.
template <class T>
T* Child(QObject& root, const char* name) {
  T* child = dynamic_cast<T*>(root.findChild<QObject*>(name));
  if (child == nullptr) qFatal("the window has no %s named %s", typeid(T).name(), name);
  return child;
}
