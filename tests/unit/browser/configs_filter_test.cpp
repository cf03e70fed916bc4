// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The filter may let through a name the settings do not mark (the folder_scan cases show it never
// holds back one they do), but one letting everything through would be correct and useless: the
// scan would ask the settings for every file again. Names that share their beginning and end, as
// dumps of one collection do, must still be told apart, wherever they differ.
#include "browser/configs_filter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace kivo::browser;

namespace {

TEST(ConfigsFilter, RulesOutNearlyEveryNameThatIsNotAKey) {
  for (const auto& name : {std::function([](int i) { return "Super Mario World " + std::to_string(i) + " (U) [!]"; }),
                           std::function([](int i) { return "Super Mario World (U) [!] " + std::to_string(i); })}) {
    std::string ini = "[General]\nSound=1\n[Configs]\n";
    for (int i = 0; i < 2000; ++i) ini += name(i) + "=1\n";
    for (int i = 0; i < 2000; ++i) ini += "[" + name(i) + "]\nNTSC=1\n";
    const ConfigsFilter filter(ini);
    int letThrough = 0;
    for (int i = 2000; i < 22000; ++i) letThrough += filter.MayHold(name(i));
    EXPECT_LT(letThrough, 20000 / 20) << name(0);
    for (int i = 0; i < 2000; ++i) EXPECT_TRUE(filter.MayHold(name(i)));
  }
}

}  // namespace
