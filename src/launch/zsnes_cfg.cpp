// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "launch/zsnes_cfg.h"

#include <algorithm>
#include <memory>

#include "app/options.h"
#include "app/settings_file.h"
#include "common/error.h"
#include "common/path.h"
#include "common/text.h"
#include "platform/files.h"

namespace kivo::launch {

namespace {

// A zero byte is kept as a byte of its line: the text after it is the user's too, and a rewrite must
// not drop it.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

bool HasName(std::string_view line, std::string_view name) {
  size_t eq = line.find('=');
  return eq != std::string_view::npos && common::EqualsNoCase(line.substr(0, eq), name);
}

}  // namespace

std::vector<CfgSetting> ZsnesCfgSettings(app::SettingsFile& settings, std::string_view section,
                                         const std::string& gameDirectory, const std::string* saveDirectory) {
  std::shared_ptr<const app::IniDocument> doc = settings.Snapshot();
  auto onOff = [](bool on, const char* whenOn, const char* whenOff) { return std::string(on ? whenOn : whenOff); };
  return {
      {"FrameSkip ", std::to_string(app::ReadIniInteger(*doc, app::option::FrameSkipValue.Section(section),
                                                        app::option::FrameSkipValue.key, 0))},
      {"AutoFrameSkip ",
       onOff(app::ReadIniBool(*doc, app::option::FrameSkip.Section(section), app::option::FrameSkip.key, false), " 0",
             " 1")},
      {"GUIDisable ",
       onOff(app::ReadIniBool(*doc, app::option::DisableGUI.Section(section), app::option::DisableGUI.key, true), " 1",
             " 0")},
      {"CopyMethod ",
       onOff(app::ReadIniInteger(*doc, app::option::MemCopy.Section(section), app::option::MemCopy.key, 0) != 0, " 2",
             " 0")},
      {"Scanlines ",
       onOff(app::ReadIniBool(*doc, app::option::Scanlines.Section(section), app::option::Scanlines.key, false), "1",
             "0")},
      {"VSync ",
       onOff(app::ReadIniBool(*doc, app::option::VSync.Section(section), app::option::VSync.key, false), "1", "0")},
      {"SaveDirectory ", saveDirectory != nullptr ? *saveDirectory
                                                  : app::ReadIniString(*doc, app::option::SavegamePath.Section(section),
                                                                       app::option::SavegamePath.key, "")},
      {"GameDirectory ", gameDirectory},
  };
}

std::string RewriteZsnesCfg(std::string_view bytes, const std::vector<CfgSetting>& settings) {
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(bytes)) lines.emplace_back(line);
  for (const CfgSetting& setting : settings) {
    // A folder name on Linux may hold a line break; written out it would become a line of its own.
    // No folder name holds a zero byte, so a value with one is no value the emulator could use.
    if (setting.value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) continue;
    auto found =
        std::find_if(lines.begin(), lines.end(), [&](const std::string& line) { return HasName(line, setting.name); });
    if (setting.value.empty()) {
      if (found != lines.end()) lines.erase(found);
    } else if (found != lines.end()) {
      *found = setting.name + "=" + setting.value;
    } else {
      lines.push_back(setting.name + "=" + setting.value);
    }
  }
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

void UpdateZsnesCfg(app::SettingsFile& settings, std::string_view section, const std::string& gameDirectory,
                    const std::string* saveDirectory) {
  std::string path = common::AddBackslash(settings.ReadString(app::option::ZSNESPath)) + "ZSNES.CFG";
  std::string bytes;
  platform::ReadStatus status = platform::ReadFile(path, bytes, kEmulatorConfigLimit);
  if (status == platform::ReadStatus::kMissing) return;
  if (status != platform::ReadStatus::kRead) throw common::KivoError("Cannot open file " + path);
  std::string updated = RewriteZsnesCfg(bytes, ZsnesCfgSettings(settings, section, gameDirectory, saveDirectory));
  if (!platform::WriteFileAtomic(path, updated)) throw common::KivoError("Cannot create file " + path);
}

}  // namespace kivo::launch
