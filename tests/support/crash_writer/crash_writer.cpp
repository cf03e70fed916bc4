// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A writer for the crash-consistency test, which kills it at random moments. Without end it writes
// kivo.ini through SettingsFile, each time the next state of a counter, and the zip cache's table
// through the cache itself, unpacking one of two archives in turn with room for one.
//
//   crash_writer FOLDER ARCHIVE-A ARCHIVE-B
#include "app/settings_file.h"
#include "support/crash_states.h"
#include "zipcache/zip_cache.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string folder = argv[1];
  kivo::app::SettingsFile settings(folder + "/kivo.ini");
  // Goes on from the state the file holds (the test has seen it is one).
  long state = CrashStateOf(settings.ReadString("General", "Counter", ""));
  for (;;) {
    ++state;
    settings.WriteString("General", "Counter", CrashStateValue(state));
    kivo::zipcache::TZipCache cache(folder + "/zipcache", 1);
    cache.GetRomFile(argv[2 + state % 2]);
  }  // the table is written as each cache goes
}
