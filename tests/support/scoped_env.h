// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

// Sets (or, given nothing, unsets) an environment variable for the life of the object and puts the
// old value back afterwards. The native emulator finds its configuration through HOME and
// XDG_CONFIG_HOME, and so does KIVO: tests point both at folders of their own.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const std::optional<std::string>& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};
