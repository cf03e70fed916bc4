// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "app/kivo_folders.h"
#include "launch/run_rom.h"

namespace kivo::app {
class SettingsFile;
}
namespace kivo::zipcache {
class TZipCache;
}

// What the subcommands share with the window: kivo.ini and the zip cache where LocateKivoFolders puts
// them (beside the program, or under the user's home when installed), so an archive checked from the
// command line lands in the same cache the window uses.
class ToolEnvironment {
 public:
  ToolEnvironment();
  ~ToolEnvironment();
  ToolEnvironment(const ToolEnvironment&) = delete;
  ToolEnvironment& operator=(const ToolEnvironment&) = delete;

  // The folder of the zip cache and the aliases (the program's own when KIVO is portable).
  const std::string& DataDir() const { return folders_.dataFolder; }
  kivo::app::SettingsFile& Settings();
  // What the start did to files an earlier KIVO left writable by every user (empty: nothing).
  const std::string& StartNotice() const { return startNotice_; }

  // The full path of a file named on the command line (relative names count from the current folder).
  static std::string FullPath(const std::string& argument);

  // The plain ROM file for a file named on the command line, as the window's commands get it: the
  // image itself, or for an archive the ROM file unpacked into the cache; empty when an archive holds
  // none.
  std::string GetRomFile(const std::string& argument);

  // The emulator started for a file unpacked privately (the window owns the cache meanwhile) reads it
  // after this program has ended: the unpacked files stay.
  void KeepExtractedFiles();

  // The configuration a selection of the file in the window's list puts in force: the file's
  // caption when section "Configs" flags it, "Default" otherwise.
  std::string SectionFor(const std::string& argument);

  // What the window hands the launch when the file is double-clicked in its folder: that folder,
  // the file's configuration, the DOS command as stored (enabled in batch mode), the aliases beside
  // the program and this environment's zip cache. `section` empty: the file's own.
  kivo::launch::RunRomRequest LaunchRequest(const std::string& argument, const std::string& section = "");

 private:
  kivo::app::KivoFolders folders_;
  std::string startNotice_;
  std::unique_ptr<kivo::app::SettingsFile> settings_;
  std::unique_ptr<kivo::zipcache::TZipCache> zipCache_;  // made at first use; its destructor saves cache.tbl
};
