// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/fault_seams.h"

#include <functional>
#include <mutex>

#include "platform/files.h"

namespace kivo::platform {

namespace {

std::mutex faultMutex;
std::function<bool(const std::string&)> writeFault;
std::function<bool(const std::string&)> readFault;
std::function<bool(const std::string&)> deleteFault;

}  // namespace

namespace seams {

bool WriteFaultFor(const std::string& path) {
  std::lock_guard lock(faultMutex);
  return writeFault && writeFault(path);
}

bool ReadFaultFor(const std::string& path) {
  std::lock_guard lock(faultMutex);
  return readFault && readFault(path);
}

bool DeleteFaultFor(const std::string& path) {
  std::lock_guard lock(faultMutex);
  return deleteFault && deleteFault(path);
}

}  // namespace seams

void SetWriteFaultForTesting(std::function<bool(const std::string& path)> fails) {
  std::lock_guard lock(faultMutex);
  writeFault = std::move(fails);
}

void SetReadFaultForTesting(std::function<bool(const std::string& path)> fails) {
  std::lock_guard lock(faultMutex);
  readFault = std::move(fails);
}

void SetDeleteFaultForTesting(std::function<bool(const std::string& path)> fails) {
  std::lock_guard lock(faultMutex);
  deleteFault = std::move(fails);
}

}  // namespace kivo::platform
