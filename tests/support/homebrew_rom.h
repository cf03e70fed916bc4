// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

// A tiny SNES program for running the real emulator: a 1-Mbit LoROM image whose code, at the reset
// vector, sets the backdrop colour (colour 0 of the palette) and turns the screen on, then loops.
// The emulator then shows a window filled with that colour, which a screen grab can check.
//
// `bgr555` is the SNES colour: blue in bits 10-14, green in 5-9, red in 0-4.
std::string BuildHomebrewRom(std::uint16_t bgr555);
