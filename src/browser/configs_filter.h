// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kivo::browser {

// A first answer to "does section Configs hold this caption?" for a folder scan, which asks it for
// every file while a settings lookup costs far more than the rest of a file's work. Made once per
// scan from the settings' bytes, it rules out at once the names that no key of a "Configs" section
// can match; the settings' own lookup then decides the few it lets through. It never rules out a
// name the lookup would find (the lookup folds ASCII letters and trims blanks, and so does this),
// and lets through at most about one name in sixty that the lookup does not find.
class ConfigsFilter {
 public:
  explicit ConfigsFilter(std::string_view iniBytes);

  bool MayHold(std::string_view name) const;

 private:
  void Add(std::string_view key);
  size_t Slot(std::string_view name) const;

  std::vector<std::uint64_t> bits_;  // one bit per slot; a key sets the bit of its slot
  int slotBits_ = 0;                 // the table has 2^slotBits_ slots
};

}  // namespace kivo::browser
