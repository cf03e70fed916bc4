// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace kivo::widgets {

// Everything the main window asks of the user or hands to the desktop: message boxes, the folder
// picker and opening a document. The window tests put their own in place to answer boxes and see
// their texts and captions.
class Dialogs {
 public:
  enum class Icon { None, Stop };
  // The button Enter presses in a confirmation: Cancel where OK would lose something for good.
  enum class Default { Ok, Cancel };

  virtual ~Dialogs() = default;

  // A modal box with one OK button.
  virtual void Message(QWidget* owner, const QString& text, const QString& caption, Icon icon) = 0;
  // A modal box with OK and Cancel, `defaultButton` the one Enter presses; true for OK.
  virtual bool Confirm(QWidget* owner, const QString& text, const QString& caption, Default defaultButton) = 0;
  // The chosen folder's full path, or nothing when the user cancelled.
  virtual std::optional<std::string> BrowseForFolder(QWidget* owner, const QString& title) = 0;
  // Opens a file with its default program, or a URL; false when the desktop cannot, or has no
  // program to open it with.
  virtual bool OpenDocument(const std::string& fileOrUrl) = 0;
};

// The desktop's own boxes and picker.
class DesktopDialogs : public Dialogs {
 public:
  void Message(QWidget* owner, const QString& text, const QString& caption, Icon icon) override;
  bool Confirm(QWidget* owner, const QString& text, const QString& caption, Default defaultButton) override;
  std::optional<std::string> BrowseForFolder(QWidget* owner, const QString& title) override;
  bool OpenDocument(const std::string& fileOrUrl) override;
};

// Conversions between the core's byte strings and Qt's text: file names use the system's
// file-name encoding, so a name that is not valid UTF-8 survives the round trip.
QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

}  // namespace kivo::widgets
