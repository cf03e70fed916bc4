// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "widgets/dialogs.h"

// Dialogs that answer from a script and remember what was shown, for window tests.
class FakeDialogs : public kivo::widgets::Dialogs {
 public:
  struct Shown {
    QString text;
    QString caption;
    Icon icon = Icon::None;
    std::optional<Default> confirmDefault;  // a confirmation's default button; none for a message
  };

  std::vector<Shown> messages;                           // every message and confirmation box, in order
  std::vector<QString> pickerTitles;                     // every folder picker's title
  std::vector<std::string> opened;                       // every document or URL handed to the desktop
  std::deque<std::optional<std::string>> pickerAnswers;  // folders chosen; cancel when empty
  bool confirmAnswer = true;                             // the answer to every confirmation
  bool openSucceeds = true;                              // what the desktop answers

  void Message(QWidget*, const QString& text, const QString& caption, Icon icon) override {
    messages.push_back({text, caption, icon, std::nullopt});
  }
  bool Confirm(QWidget*, const QString& text, const QString& caption, Default defaultButton) override {
    messages.push_back({text, caption, Icon::None, defaultButton});
    return confirmAnswer;
  }
  std::optional<std::string> BrowseForFolder(QWidget*, const QString& title) override {
    pickerTitles.push_back(title);
    if (pickerAnswers.empty()) return std::nullopt;
    auto answer = pickerAnswers.front();
    pickerAnswers.pop_front();
    return answer;
  }
  bool OpenDocument(const std::string& fileOrUrl) override {
    opened.push_back(fileOrUrl);
    return openSucceeds;
  }

  // The error reports shown so far (caption "KIVO", stop icon).
  std::vector<QString> Errors() const {
    std::vector<QString> errors;
    for (const Shown& shown : messages) {
      if (shown.caption == "KIVO" && shown.icon == Icon::Stop) errors.push_back(shown.text);
    }
    return errors;
  }
};
