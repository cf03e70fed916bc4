// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/kivo_folders.h"

#include <optional>

#include "common/path.h"
#include "platform/dirs.h"
#include "platform/files.h"

namespace kivo::app {

namespace {

constexpr const char* kManual = "KIVO - Manual.txt";
// Below the user's settings and cache folders: "kivo" as Linux names them, "KIVO" as Windows does.
#ifdef _WIN32
constexpr const char* kFolderName = "KIVO";
constexpr bool kWindows = true;
#else
constexpr const char* kFolderName = "kivo";
constexpr bool kWindows = false;
#endif

}  // namespace

KivoFolders LocateKivoFolders(const std::string& programDir) {
  const std::string prefix = common::ExtractFileDir(programDir);
  const std::string systemManual = common::AddBackslash(prefix) + "share/doc/kivo/" + kManual;
  const std::string besideProgram = common::AddBackslash(programDir) + "kivo.ini";
  // A Linux package puts the manual under share/doc; KIVO for Windows is unzipped, the manual beside
  // the program, so there only the folder's being writable decides.
  const bool systemInstall = !kWindows && platform::FileExists(systemManual);

  KivoFolders folders;
  folders.portable = platform::FileExists(besideProgram) || (!systemInstall && platform::IsWritableFolder(programDir));
  if (folders.portable) {
    folders.settingsFile = besideProgram;
    folders.dataFolder = programDir;
  } else {
    folders.settingsFile =
        common::AddBackslash(platform::UserConfigDir()) + common::AddBackslash(kFolderName) + "kivo.ini";
    folders.dataFolder = common::AddBackslash(platform::UserCacheDir()) + kFolderName;
  }
  // The manual is wherever this install put it.
  const std::string portableManual = common::AddBackslash(programDir) + kManual;
  folders.manual = platform::FileExists(portableManual) || !systemInstall ? portableManual : systemManual;
  return folders;
}

void CreateKivoFolders(const KivoFolders& folders) {
  if (folders.portable) return;
  platform::CreateDirectoryPath(common::ExtractFileDir(folders.settingsFile));
  platform::CreateDirectoryPath(folders.dataFolder);
}

std::string MakeKivoFilesPrivate(const KivoFolders& folders) {
  std::string notice;
  for (const std::string& file :
       {folders.settingsFile, common::AddBackslash(folders.dataFolder) + "zipcache/cache.tbl"}) {
    if (!platform::MakeEveryonesFilePrivate(file)) continue;
    notice += (notice.empty() ? "" : "\n") + file +
              " could be changed by every user, as an earlier KIVO made it; it is now writable by you alone.";
  }
  return notice;
}

}  // namespace kivo::app
