// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool verify FILE...: one line per file with the text the "Verify checksum" box shows, so a
// whole folder of images and archives can be checked at once.
#include <ostream>

#include "common/error.h"
#include "rom/rom_commands.h"
#include "tool_command.h"
#include "tool_environment.h"

using namespace kivo::rom;

namespace {

// The line's text after "<file>: ", and whether the image is OK.
bool VerifyOne(ToolEnvironment& env, const std::string& argument, std::string& text) {
  try {
    const std::string romFile = env.GetRomFile(argument);
    if (romFile.empty()) {
      text = std::string(kivo::rom::kChecksumFailedText) + " (no ROM file in the archive)";
      return false;
    }
    kivo::rom::ChecksumVerdict verdict = kivo::rom::VerifyChecksum(romFile);
    text = verdict.text;
    if (verdict.result == ChecksumResult::Failed) text += " (" + verdict.reason + ")";
    return verdict.result == ChecksumResult::Ok;
  } catch (const kivo::common::KivoError& error) {
    // An unreadable file ends the window's command with an error; here it ends only this file's line.
    text = std::string(kivo::rom::kChecksumFailedText) + " (" + error.what() + ")";
    return false;
  }
}

}  // namespace

int RunVerifyCommand(ToolEnvironment& env, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "usage: kivo-tool verify FILE...\n";
    return kToolUsage;
  }
  bool allOk = true;
  for (const std::string& argument : args) {
    std::string text;
    allOk = VerifyOne(env, argument, text) && allOk;
    out << argument << ": " << text << '\n';
  }
  return allOk ? kToolOk : kToolFailed;
}
