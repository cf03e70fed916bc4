// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

// What the real-emulator tests need around the real ZSNES: a screen of their own (Xvfb), and the
// emulator's window and pixels on it.

// Starts an X server without a screen on a display number of its own; its process id (0 when none
// started) and, in `display`, the display (":91").
int StartVirtualScreen(std::string& display);

struct ScreenWindow {
  std::string id;  // as xwininfo prints it, "0x200016"
  int width = 0, height = 0;
  int left = 0, top = 0;  // on the screen
};

// The emulator's window ("ZSNES") on the display, when one is mapped now.
std::optional<ScreenWindow> FindEmulatorWindow(const std::string& display);

struct Rgb {
  int r = 0, g = 0, b = 0;
};
// The colour at the window's centre, grabbed from the screen (of three rows there, the brightest).
std::optional<Rgb> CentreColour(const std::string& display, const ScreenWindow& window);

// Presses a key in the window, holding it for a few frames.
void PressKey(const std::string& display, const ScreenWindow& window, const std::string& key);
