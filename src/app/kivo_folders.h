// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kivo::app {

// Where KIVO keeps its files, decided in one place for the window and kivo-tool alike.
//
// Portable, as KIVO was made: kivo.ini, the zip cache and the aliases beside the program, when its
// folder already holds kivo.ini, or is writable and is no system install. Installed (a package under
// /usr): kivo.ini in $XDG_CONFIG_HOME/kivo (~/.config/kivo), the zip cache and the aliases in
// $XDG_CACHE_HOME/kivo (~/.cache/kivo). A system install is told by its manual in
// <prefix>/share/doc/kivo, so that root, who may write /usr/bin, does not get settings there either.
struct KivoFolders {
  std::string settingsFile;  // kivo.ini
  std::string dataFolder;    // holds zipcache/ and shortnames/
  std::string manual;        // "KIVO - Manual.txt"
  bool portable = true;
};

KivoFolders LocateKivoFolders(const std::string& programDir);

// Makes the folders of an installed layout (a portable one exists: the program is in it).
void CreateKivoFolders(const KivoFolders& folders);

// Earlier versions made their files writable by every user. Those of them that still are (and are
// this user's) are made writable by their owner alone; what the user is told of it, once, as the
// next start finds them private: empty when nothing was changed.
std::string MakeKivoFilesPrivate(const KivoFolders& folders);

}  // namespace kivo::app
