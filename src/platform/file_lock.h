// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kivo::platform {

// An exclusive lock on a file, tried once without waiting and held for the life of the object.
// It shuts out other processes and other FileLock objects of this process alike, and the system
// drops it when the process ends, however it ends; programs this process starts do not inherit it.
// The file is created when missing and stays afterwards: removing it would let the next locker
// lock a new file of that name while an earlier holder still holds the old one.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // False when someone else holds the lock, or the file could not be opened or created.
  bool IsHeld() const { return fd_ >= 0; }
  // Gives the lock up early.
  void Release();

 private:
  int fd_ = -1;
};

}  // namespace kivo::platform
