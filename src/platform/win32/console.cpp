// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace kivo::platform {

// The C library opens both in text mode, which writes every "\n" as "\r\n"; binary mode writes the
// bytes as they are. std::cout and std::cerr write through these streams.
void UseBinaryStandardStreams() {
  std::fflush(stdout);
  std::fflush(stderr);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

}  // namespace kivo::platform
