// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets (or, given nothing, unsets) an environment variable.
inline void SetEnvironmentVariable(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  // Windows' C library sets the process's environment as well, which the system's calls read; an
  // empty value removes the variable.
  ::_putenv_s(name.c_str(), value ? value->c_str() : "");
#else
  value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
#endif
}

// Sets (or, given nothing, unsets) an environment variable for the life of the object and puts the
// old value back afterwards. The native emulator finds its configuration through HOME and
// XDG_CONFIG_HOME, and so does KIVO: tests point both at folders of their own.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    SetEnvironmentVariable(name_, value);
  }
  ~ScopedEnv() { SetEnvironmentVariable(name_, old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};
