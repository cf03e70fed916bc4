// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The memory the ROM list takes: the most resident memory that building and showing the list of a
// 20,000-file folder (and of a 200,000-file one) costs, KIVO's way against a bare QListWidget
// holding the same captions. Each side runs in a process of its own (probes/), which begins
// with nothing of the list and ends with it shown, so the benchmark's own heap and the other side's
// pages count for neither.
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/settings_file.h"
#include "browser/folder_scan.h"
#include "harness.h"
#include "memory_figure.h"
#include "platform/dirs.h"
#include "rom_folder_fixture.h"
#include "support/temp_dir.h"

using namespace kivo::app;
using namespace kivo::browser;

namespace {

void KivoListMemory(benchmark::State& state, int fileCount) {
  const RomFolderFixture& fixture = RomFolder(fileCount);
  ReportProbedMemory(state, "kivo_list_memory_probe", {"kivo", fixture.Folder(), fixture.IniPath()});
}

// The captions the scan gives, one a line, for the bare widget.
void BareListMemory(benchmark::State& state, int fileCount) {
  const RomFolderFixture& fixture = RomFolder(fileCount);
  TempDir work;
  const std::string captions = work / "captions";
  {
    SettingsFile settings(fixture.IniPath());
    std::ofstream file(captions, std::ios::binary);
    for (const ListEntry& entry : ScanFolder(kivo::platform::DriveRoots(), fixture.Folder(), *settings.Snapshot()))
      (file << entry.caption) << '\n';
  }
  ReportProbedMemory(state, "kivo_list_memory_probe", {"bare", captions});
}

void KivoListMemoryOf20k(benchmark::State& state) { KivoListMemory(state, 20000); }
void BareListMemoryOf20k(benchmark::State& state) { BareListMemory(state, 20000); }
void KivoListMemoryOf200k(benchmark::State& state) { KivoListMemory(state, 200000); }
void BareListMemoryOf200k(benchmark::State& state) { BareListMemory(state, 200000); }

KIVO_FIGURE("browser_list_memory", "peak memory of the list shown, 20,000 entries", 0.5, KivoListMemoryOf20k,
            BareListMemoryOf20k, 1.0, Measure::kBytes);
KIVO_FIGURE("browser_list_memory_200k", "peak memory of the list shown, 200,000 entries", 0.5, KivoListMemoryOf200k,
            BareListMemoryOf200k, 1.0, Measure::kBytes);

}  // namespace
