#pragma once

#include <cstddef>

// Shared by the POSIX file code: writes every byte, going on after partial writes and signals.
namespace platform::posix {
bool WriteAll(int fd, const char* data, size_t size);
}  // namespace platform::posix
