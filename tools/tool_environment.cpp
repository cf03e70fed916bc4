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

using namespace kivo::app;
using namespace kivo::zipcache;

ToolEnvironment::ToolEnvironment() : folders_(kivo::app::LocateKivoFolders(kivo::platform::ExecutableDir())) {
  kivo::app::CreateKivoFolders(folders_);
  startNotice_ = kivo::app::MakeKivoFilesPrivate(folders_);
}

ToolEnvironment::~ToolEnvironment() = default;

SettingsFile& ToolEnvironment::Settings() {
  if (!settings_) settings_ = std::make_unique<SettingsFile>(folders_.settingsFile);
  return *settings_;
}

std::string ToolEnvironment::FullPath(const std::string& argument) {
  if (kivo::common::IsAbsolutePath(argument)) return kivo::common::NativeSeparators(argument);
  return kivo::common::NativeSeparators(kivo::common::AddBackslash(kivo::platform::GetCurrentDir()) + argument);
}

std::string ToolEnvironment::GetRomFile(const std::string& argument) {
  if (!zipCache_) {
    // As the window does at start: the folder may exist already, which is fine.
    kivo::platform::CreateDirectory(kivo::common::AddBackslash(folders_.dataFolder) + "zipcache");
    const int limit = Settings().ReadInteger(kivo::app::option::CacheSize);
    zipCache_ = std::make_unique<TZipCache>(kivo::common::AddBackslash(folders_.dataFolder) + "zipcache", limit);
  }
  return zipCache_->GetRomFile(FullPath(argument));
}

void ToolEnvironment::KeepExtractedFiles() {
  if (zipCache_) zipCache_->KeepPrivateFolder();
}

std::string ToolEnvironment::SectionFor(const std::string& argument) {
  const std::string fileName = kivo::common::ExtractFileName(argument);
  const std::string caption = kivo::common::StripFileExt(fileName);
  kivo::browser::ListEntry entry{
      caption, kivo::common::IsZipName(fileName) ? kivo::browser::kZipArchive : kivo::browser::kRomFile, fileName};
  if (Settings().ReadBool(kivo::app::section::Configs, caption, false)) entry.kind += 1;
  return kivo::browser::ConfigurationFor(entry);
}

kivo::launch::RunRomRequest ToolEnvironment::LaunchRequest(const std::string& argument, const std::string& section) {
  const std::string full = FullPath(argument);
  kivo::launch::RunRomRequest request;
  request.section = section.empty() ? SectionFor(argument) : section;
  request.workingFolder = kivo::common::ExtractFileDir(full);
  request.selectedRomFile = kivo::common::ExtractFileName(full);
  request.extraCommand = Settings().ReadString(kivo::app::option::ExtraCommand);
  request.extraCommandEnabled = Settings().ReadBool(kivo::app::option::ShellBat);
  request.shortNameFolder = kivo::launch::ShortNameFolder(folders_.dataFolder);
  request.getRomFile = [this](const std::string& path) { return GetRomFile(path); };
  return request;
}
