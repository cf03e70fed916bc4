// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/priority.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

bool MayRaisePriority() {
  pid_t child = ::fork();
  if (child == 0) ::_exit(::setpriority(PRIO_PROCESS, 0, ::getpriority(PRIO_PROCESS, 0) - 1) == 0 ? 0 : 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
