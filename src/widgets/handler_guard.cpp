// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "widgets/handler_guard.h"

#include <exception>

#include "common/error_report.h"
#include "widgets/dialogs.h"

namespace kivo::widgets {

void HandlerGuard::Run(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    Report(error.what());
  }
}

void HandlerGuard::Report(const std::string& message) {
  dialogs_.Message(owner_, FromBytes(common::ErrorReportText(message)), "KIVO", Dialogs::Icon::Stop);
}

}  // namespace kivo::widgets
