// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "tool_environment.h"

#include "app/kivo_folders.h"
#include "app/options.h"
#include "app/settings_file.h"
#include "browser/configuration_switch.h"
#include "browser/folder_scan.h"
#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "zipcache/zip_cache.h"

ToolEnvironment::ToolEnvironment() : folders_(LocateKivoFolders(platform::ExecutableDir())) {
  CreateKivoFolders(folders_);
}

ToolEnvironment::~ToolEnvironment() = default;

SettingsFile& ToolEnvironment::Settings() {
  if (!settings_) settings_ = std::make_unique<SettingsFile>(folders_.settingsFile);
  return *settings_;
}

std::string ToolEnvironment::FullPath(const std::string& argument) {
  if (!argument.empty() && argument.front() == kPathSeparator) return argument;
  return AddBackslash(platform::GetCurrentDir()) + argument;
}

std::string ToolEnvironment::GetRomFile(const std::string& argument) {
  if (!zipCache_) {
    // As the window does at start: the folder may exist already, which is fine.
    platform::CreateDirectory(AddBackslash(folders_.dataFolder) + "zipcache");
    const int limit = Settings().ReadInteger(option::CacheSize, option::CacheSize.loadDefault);
    zipCache_ = std::make_unique<TZipCache>(folders_.dataFolder + "/zipcache", limit);
  }
  return zipCache_->GetRomFile(FullPath(argument));
}

void ToolEnvironment::KeepExtractedFiles() {
  if (zipCache_) zipCache_->KeepPrivateFolder();
}

std::string ToolEnvironment::SectionFor(const std::string& argument) {
  const std::string fileName = ExtractFileName(argument);
  const std::string caption = StripFileExt(fileName);
  ListEntry entry{caption, IsZipName(fileName) ? kZipArchive : kRomFile, fileName};
  if (Settings().ReadBool(section::Configs, caption, false)) entry.kind += 1;
  return ConfigurationFor(entry);
}

RunRomRequest ToolEnvironment::LaunchRequest(const std::string& argument, const std::string& section) {
  const std::string full = FullPath(argument);
  RunRomRequest request;
  request.section = section.empty() ? SectionFor(argument) : section;
  request.workingFolder = ExtractFileDir(full);
  request.selectedRomFile = ExtractFileName(full);
  request.extraCommand = Settings().ReadString(option::ExtraCommand, "");
  request.extraCommandEnabled = Settings().ReadBool(option::ShellBat, false);
  request.shortNameFolder = ShortNameFolder(folders_.dataFolder);
  request.getRomFile = [this](const std::string& path) { return GetRomFile(path); };
  return request;
}
