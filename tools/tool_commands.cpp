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
    {"run", "[--verbose] FILE",
     "start the emulator for the file as a double-click in the window would, and print what started; the "
     "emulator's own output is discarded, or with --verbose shown in the terminal",
     RunRunCommand},
    {"list", "[FOLDER] [--filter TEXT] [--sort name|title|size|played] [--details] [--favourites | --recent]",
     "print the lines the window's list shows for FOLDER (the current folder when none is named), or for the "
     "favourites or the recently played games; with --details as tab-separated columns kind, name, title, region, "
     "size, last played, played, favourite under a header line",
     RunListCommand},
    {"favourite", "FILE", "star the game, or unstar it when it is starred, and say which", RunFavouriteCommand},
    {"info", "FILE", "print the ROM information report of an image or a zipped image", RunInfoCommand},
    {"verify", "FILE...", "verify the checksum of each image; exits 1 when any is not OK", RunVerifyCommand},
    {"gif", "FILE [OUTDIR [--composed]]",
     "list the frames of a GIF under a line naming the columns (left top width height interlace transparent delay "
     "disposal), then the decoder's warnings and errors; with OUTDIR also write each frame's colour indexes there "
     "as frame-000.pgm, ...; with --composed also each frame as the preview shows it, as composed-000.pam, ...",
     RunGifCommand},
};

}  // namespace

std::span<const ToolCommand> ToolCommands() { return kCommands; }
