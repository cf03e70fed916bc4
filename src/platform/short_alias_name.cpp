// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The alias names are the same text on every system; only making the alias is the system's.
#include <string>
#include <string_view>

#include "common/path.h"
#include "common/text.h"
#include "platform/short_path.h"

namespace kivo::platform {
namespace {

// The bytes a DOS short name keeps, upper-cased. The ones DOS names reserve become "_"; blanks,
// dots, brackets and bytes outside ASCII are dropped, leaving only what the command line passes.
std::string ShortNamePart(std::string_view text) {
  std::string part;
  for (char c : common::UpperAscii(text)) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-') {
      part += c;
    } else if (std::string_view("+,;=[]").find(c) != std::string_view::npos) {
      part += '_';
    }
  }
  return part;
}

}  // namespace

std::string ShortAliasName(const std::string& fileName, int n) {
  std::string ext = ShortNamePart(common::ExtractFileExt(fileName)).substr(0, 3);
  std::string base = ShortNamePart(common::StripFileExt(fileName));
  if (base.empty()) base = "_";
  std::string number = "~" + std::to_string(n);
  size_t keep = number.size() < 8 ? 8 - number.size() : 1;
  std::string name = base.substr(0, keep) + number;
  if (!ext.empty()) name += "." + ext;
  return name;
}

}  // namespace kivo::platform
