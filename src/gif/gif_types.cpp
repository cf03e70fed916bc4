// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_types.h"

namespace kivo::gif {

const char* const GIFVersions[3] = {"", "87a", "89a"};

}  // namespace kivo::gif
