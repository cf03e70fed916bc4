#include "tool_environment.h"

#include "app/settings_file.h"
#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "zipcache/zip_cache.h"

ToolEnvironment::ToolEnvironment() : programDir_(platform::ExecutableDir()) {}

ToolEnvironment::~ToolEnvironment() = default;

SettingsFile& ToolEnvironment::Settings() {
  if (!settings_) settings_ = std::make_unique<SettingsFile>(AddBackslash(programDir_) + "kivo.ini");
  return *settings_;
}

std::string ToolEnvironment::FullPath(const std::string& argument) {
  if (!argument.empty() && argument.front() == kPathSeparator) return argument;
  return AddBackslash(platform::GetCurrentDir()) + argument;
}

std::string ToolEnvironment::GetRomFile(const std::string& argument) {
  if (!zipCache_) {
    // As the window does at start: the folder may exist already, which is fine.
    platform::CreateDirectory(AddBackslash(programDir_) + "zipcache");
    const int limit = Settings().ReadInteger("General", "CacheSize", 8);
    zipCache_ = std::make_unique<TZipCache>(programDir_ + "/zipcache", limit);
  }
  return zipCache_->GetRomFile(FullPath(argument));
}
