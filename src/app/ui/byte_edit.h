// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class QLineEdit;

namespace kivo::app {

// An edit shows text, but the settings behind it are bytes that need not be valid UTF-8 (a folder
// name, a shell command). Shown as text they lose the bytes that are not; written back from the text
// they would be stored damaged. So the bytes put into an edit stay with it, and are what the edit
// gives back until the user changes its text.
void SetEditBytes(QLineEdit* edit, const std::string& bytes);
std::string EditBytes(const QLineEdit* edit);

}  // namespace kivo::app
