// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "rom/snes_rom.h"

namespace kivo::rom {

// What the ROM list's "Verify checksum" and "Info" commands show, apart from the window. Both take
// the plain ROM file the zip cache handed back for the selected entry (an empty name when an archive
// held no ROM); the window shows the text in a message box with only an OK button and no icon, and
// kivo-tool prints it. A file that exists but cannot be read raises KivoError.

inline constexpr char kChecksumCaption[] = "Checksum";
inline constexpr char kRomInfoCaption[] = "ROM Info";
inline constexpr char kChecksumFailedText[] = "Failed !";
// Why no checksum could be computed, as the box and kivo-tool word it: an archive that yielded no
// ROM file (damaged, or holding none) is handed over as an empty name.
inline constexpr char kNoRomInArchive[] = "no ROM file in the archive";
inline constexpr char kRomFileNotFound[] = "file not found";

struct RomMessage {
  std::string text;
  std::string caption;
};

enum class ChecksumResult { Ok, Bad, Failed };

struct ChecksumVerdict {
  ChecksumResult result = ChecksumResult::Failed;
  // "CheckSUM: OK ...", "CheckSUM: BAD (...)" or "Failed !".
  std::string text;
  // Why no checksum could be computed; empty unless result is Failed.
  std::string reason;
};

// "CheckSUM: OK <calc>" when the sums agree, else
// "CheckSUM: BAD (ROM=<header>/ CALC=<calc> <calc - header>)".
std::string ChecksumText(std::uint16_t headerChecksum, std::uint16_t calcSum);

// Computes the image's checksum and compares it with the header's checksum word.
ChecksumVerdict VerifyChecksum(TSnesRom& rom);
ChecksumVerdict VerifyChecksum(const std::string& romFile);

// The "Verify checksum" box: the verdict's text, caption "Checksum"; a failure says why on the
// next line ("Failed !\nfile not found"), as kivo-tool verify says it in brackets.
RomMessage ChecksumMessage(const std::string& romFile);

// The "Info" box: the information report (header probe only), caption "ROM Info".
RomMessage RomInfoMessage(const std::string& romFile);

}  // namespace kivo::rom
