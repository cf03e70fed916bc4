// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "browser/configs_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_document.h"
#include "app/settings_file.h"
#include "common/text.h"

namespace {

// Every name a line of the text could set, in the letter cases written, lower and upper, and the
// empty name.
std::vector<std::string> NamesIn(const std::string& ini) {
  std::vector<std::string> names = {""};
  size_t begin = 0;
  while (begin < ini.size()) {
    size_t end = std::min(ini.find('\n', begin), ini.size());
    std::string_view line = std::string_view(ini).substr(begin, end - begin);
    if (size_t equals = line.find('='); equals != std::string_view::npos) {
      std::string_view name = TrimBlanks(line.substr(0, equals));
      names.insert(names.end(), {std::string(name), LowerAscii(name), UpperAscii(name)});
    }
    begin = end + 1;
  }
  return names;
}

// The filter may let a name through that the settings do not mark, but must never hold back one
// they do: that game would lose the mark of its configuration in the list.
TEST(ConfigsFilter, NeverRulesOutANameTheSettingsMark) {
  const std::vector<std::string> inis = {
      "[Configs]\nMario=1\n",
      "[Configs]\r\nZelda=1\r\nOther=1\r\n",
      "  [ configs ]  \n  Super Mario World (U) [!]  =  1\n\tTab\t=1\n",
      "[Configs] ; games with options of their own\nA=1\n",
      "[Configs\nNo closing bracket=1\n",
      "Orphan=1\n[General]\nX=1\n[Configs]\nY=1\n[Y]\nNTSC=1\n",
      "[Configs]\n=1\nABCDEFG=1\nABCDEFGH=1\nABCDEFGHI=1\nABCDEFGHIJKLMNOP=1\nABCDEFGHIJKLMNOPQ=1\n",
      "[Configs]\nCaf\xC9 \xFF=1\nLast without line end=1",
      "[General]\n[Configs]\n\n; a comment\nSpaced  Name=0x1\nDollar=$1\n[Configs]\nSecond=1\n",
      "[General]\nNTSC=1\n",
      "",
  };
  for (const std::string& ini : inis) {
    const IniDocument settings(ini);
    const ConfigsFilter filter(settings.Bytes());
    for (const std::string& name : NamesIn(ini)) {
      if (ReadIniBool(settings, "Configs", name, false)) {
        EXPECT_TRUE(filter.MayHold(name)) << name << " in\n" << ini;
      }
    }
  }
}

// A filter that lets everything through would be correct and useless: the scan would ask the
// settings for every file again. Names that share their beginning and end, as dumps of one
// collection do, must still be told apart.
TEST(ConfigsFilter, RulesOutNearlyEveryNameThatIsNotAKey) {
  auto name = [](int i) { return "Super Mario World " + std::to_string(i) + " (U) [!]"; };
  std::string ini = "[General]\nSound=1\n[Configs]\n";
  for (int i = 0; i < 2000; ++i) ini += name(i) + "=1\n";
  for (int i = 0; i < 2000; ++i) ini += "[" + name(i) + "]\nNTSC=1\n";
  const ConfigsFilter filter(ini);
  int letThrough = 0;
  for (int i = 2000; i < 22000; ++i) letThrough += filter.MayHold(name(i));
  EXPECT_LT(letThrough, 20000 / 20);
  for (int i = 0; i < 2000; ++i) EXPECT_TRUE(filter.MayHold(name(i)));
}

}  // namespace
