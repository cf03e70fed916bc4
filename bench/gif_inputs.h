// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The GIF figures' inputs, written once per run by giflib's own encoder, so neither decoder reads
// data shaped by the other's writer: picture-like content (smooth areas and edges with a little
// noise) in 256 colours.

// One 2400 x 2000 picture, the largest the figures decode.
const std::string& LargePicture();

// 100 frames of 320 x 240.
const std::string& Animation();
