// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "tool_command.h"

// Every subcommand of kivo-tool, in the order the usage text lists them. A new subcommand is one
// file with its Run function and one line here.
namespace {

constexpr ToolCommand kCommands[] = {
    {"cmdline", "[SECTION] FILE",
     "print the command line a launch of the file would start (in configuration SECTION, when given)",
     RunCmdlineCommand},
    {"run", "FILE", "start the emulator for the file as a double-click in the window would, and print what started",
     RunRunCommand},
    {"info", "FILE", "print the ROM information report of an image or a zipped image", RunInfoCommand},
    {"verify", "FILE...", "verify the checksum of each image; exits 1 when any is not OK", RunVerifyCommand},
    {"gif", "FILE [OUTDIR [--composed]]",
     "list the frames of a GIF with the decoder's warnings and errors; with OUTDIR also write each frame's colour "
     "indexes there as frame-000.pgm, ...; with --composed also each frame as the preview shows it, as "
     "composed-000.pam, ...",
     RunGifCommand},
};

}  // namespace

std::span<const ToolCommand> ToolCommands() { return kCommands; }
