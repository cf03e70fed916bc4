#pragma once

#include <memory>
#include <string>

class SettingsFile;
class TZipCache;

// What the subcommands share with the window: kivo.ini and the zip cache beside the program, so an
// archive checked from the command line lands in the same cache the window uses.
class ToolEnvironment {
 public:
  ToolEnvironment();
  ~ToolEnvironment();
  ToolEnvironment(const ToolEnvironment&) = delete;
  ToolEnvironment& operator=(const ToolEnvironment&) = delete;

  const std::string& ProgramDir() const { return programDir_; }
  SettingsFile& Settings();

  // The full path of a file named on the command line (relative names count from the current folder).
  static std::string FullPath(const std::string& argument);

  // The plain ROM file for a file named on the command line, as the window's commands get it: the
  // image itself, or for an archive the ROM file unpacked into the cache; empty when an archive holds
  // none.
  std::string GetRomFile(const std::string& argument);

 private:
  std::string programDir_;
  std::unique_ptr<SettingsFile> settings_;
  std::unique_ptr<TZipCache> zipCache_;  // made at first use; its destructor saves cache.tbl
};
