// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

namespace kivo::gif {

// Makes ".gif" pictures (any letter case) load through KIVO's own GIF codec, described as
// "GIF Image", and decides once from the primary screen's depth whether GIF frames are dithered
// to the web palette (screens of at most 256 colours). Needs the application object; calling it
// again does nothing.
void RegisterGifImageFormat();

}  // namespace kivo::gif
