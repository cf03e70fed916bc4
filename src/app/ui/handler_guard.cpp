// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/ui/handler_guard.h"

#include <exception>

#include "app/ui/dialogs.h"
#include "common/error_report.h"

namespace kivo::app {

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

}  // namespace kivo::app
